#pragma once

namespace tk {

// Shows the wait cursor for the lifetime of the object. Nested objects share one
// override cursor: the previous cursor returns when the outermost one ends.
class WaitCursor
{
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

    // Number of wait cursors alive right now.
    static int depth();
};

} // namespace tk
