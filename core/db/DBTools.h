#pragma once

namespace tk {

// Schema upgrade run at every start: adds AuswertBegin to Personal (every existing row
// gets 1) when the field is missing. Failures are swallowed; the next start tries again.
class DBTools
{
public:
    static bool upgradeSchema();
};

} // namespace tk
