#pragma once

namespace tk {

class Table;

// Suspends the bound controls of tables for its lifetime (nestable), so that a month of
// day records is written without redrawing the grids per record.
// An error that ends the work early resumes them too.
class SuspendedControls
{
public:
    SuspendedControls(Table *first, Table *second = nullptr);
    ~SuspendedControls();
    SuspendedControls(const SuspendedControls &) = delete;
    // Resumes the controls now, letting a failure of the tables' announcements through.
    void release();
    SuspendedControls &operator=(const SuspendedControls &) = delete;

private:
    Table *m_first;
    Table *m_second;
    bool m_released = false;
};

} // namespace tk
