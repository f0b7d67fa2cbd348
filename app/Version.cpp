#include "app/Version.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>

#include "core/common/ClockText.h"

namespace tk {

namespace {

QString g_text = QStringLiteral("0.0.0.0");
QString g_date;

QString buildVersion()
{
#if defined(TAKTORA_VERSION_MAJOR) && defined(TAKTORA_VERSION_MINOR)                               \
    && defined(TAKTORA_VERSION_PATCH) && defined(TAKTORA_VERSION_TWEAK)
    return QString::asprintf("%d.%d.%d.%d", TAKTORA_VERSION_MAJOR + 0, TAKTORA_VERSION_MINOR + 0,
                             TAKTORA_VERSION_PATCH + 0, TAKTORA_VERSION_TWEAK + 0);
#else
    return QStringLiteral("0.0.0.0");
#endif
}

} // namespace

void Version::initialize()
{
    g_text = buildVersion();
    g_date = fileDate(QCoreApplication::applicationFilePath());
}

QString Version::text()
{
    return g_text;
}

QString Version::date()
{
    return g_date;
}

QString Version::panelText()
{
    return QStringLiteral("V ") + g_text + QStringLiteral(" / ") + g_date;
}

QString Version::fileDate(const QString &filePath)
{
    const QFileInfo info(filePath);
    if (!info.exists())
        return QString();
    return ShortDateText(info.lastModified().date());
}

} // namespace tk
