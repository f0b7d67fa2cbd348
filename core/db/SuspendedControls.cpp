#include "core/db/SuspendedControls.h"

#include "core/db/Table.h"

namespace tk {

SuspendedControls::SuspendedControls(Table *first, Table *second)
    : m_first(first)
    , m_second(second)
{
    m_first->disableControls();
    if (m_second)
        m_second->disableControls();
}

void SuspendedControls::release()
{
    if (m_released)
        return;
    m_released = true;
    try {
        m_first->enableControls();
    } catch (...) {
        if (m_second)
            m_second->enableControls();
        throw;
    }
    if (m_second)
        m_second->enableControls();
}

SuspendedControls::~SuspendedControls()
{
    if (m_released)
        return;
    m_released = true;
    // Enabling announces the tables' state to their grids and detail tables; a failure
    // there must not escape a destructor.
    try {
        m_first->enableControls();
    } catch (...) {
    }
    try {
        if (m_second)
            m_second->enableControls();
    } catch (...) {
    }
}

} // namespace tk
