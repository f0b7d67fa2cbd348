#include "core/common/Errors.h"

namespace tk {

QString errorMessage(const std::exception &error)
{
    if (const auto *userError = dynamic_cast<const UserError *>(&error))
        return userError->message();
    return QString::fromLocal8Bit(error.what());
}

} // namespace tk
