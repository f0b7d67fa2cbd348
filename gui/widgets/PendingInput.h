#pragma once

class QWidget;

namespace tk {

// A bound control that may hold typed input it has not written into its record yet (a date
// or number still being typed). Windows store it before they post or close.
class PendingInput
{
public:
    virtual ~PendingInput() = default;
    // Writes the typed input; input that cannot be read is reported in the error box and
    // replaced by the stored value. Returns false in that case.
    virtual bool commitInput() = 0;
};

// Commits the input of window's focused control, if it is a PendingInput.
bool commitFocusedInput(QWidget *window);

} // namespace tk
