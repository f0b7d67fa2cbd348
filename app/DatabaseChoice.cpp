#include "app/DatabaseChoice.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "app/CommandLine.h"
#include "core/db/Database.h"
#include "core/db/DatabaseBackup.h"
#include "core/db/Schema.h"
#include "gui/widgets/WindowPlacement.h"

namespace tk {

namespace {

const QString SettingKey = QStringLiteral("Datenbank/Url");

} // namespace

DatabaseUrl chosenDatabase(const CommandLine &commandLine)
{
    if (!commandLine.database.isEmpty())
        return DatabaseUrl::parse(commandLine.database);
    const QString fileName = QLatin1String(Database::FileName);
    if (!commandLine.dataDir.isEmpty())
        return DatabaseUrl::sqliteFile(QDir(commandLine.dataDir).filePath(fileName));
    const QString stored = storedDatabaseSetting();
    if (!stored.isEmpty())
        return DatabaseUrl::parse(stored);
    return DatabaseUrl::sqliteFile(QDir(commandLine.dataFolder()).filePath(fileName));
}

void createUsersDatabase(const CommandLine &commandLine)
{
    const DatabaseUrl url = chosenDatabase(commandLine);
    if (url.kind() == DatabaseUrl::Kind::SQLite
        && QFileInfo(url.filePath()).dir() == QDir(usersDataFolder()))
        Database::createDatabase(url);
}

QString backupFolder(const CommandLine &commandLine)
{
    const QString folder = Database::isServer() ? commandLine.dataFolder()
                                                : QFileInfo(Database::filePath()).absolutePath();
    return QDir(folder).filePath(QStringLiteral("Sicherung"));
}

void openChosenDatabase(const CommandLine &commandLine)
{
    Database::setUrl(chosenDatabase(commandLine));
    DatabaseBackup::setAutomaticFolder(backupFolder(commandLine));
    upgradeSchema();
}

QString storedDatabaseSetting()
{
    const QSettings settings(WindowPlacement::filePath(), QSettings::IniFormat);
    return settings.value(SettingKey).toString().trimmed();
}

void storeDatabaseSetting(const QString &url)
{
    QSettings settings(WindowPlacement::filePath(), QSettings::IniFormat);
    if (url.trimmed().isEmpty())
        settings.remove(SettingKey);
    else
        settings.setValue(SettingKey, DatabaseUrl::parse(url.trimmed()).displayText());
}

} // namespace tk
