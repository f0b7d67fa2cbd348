#include "core/db/DatabaseUrl.h"

#include <QSqlDatabase>
#include <QUrl>
#include <QUrlQuery>

#include "core/common/Errors.h"

namespace tk {

namespace {

[[noreturn]] void refuse(const QString &text, const QString &why)
{
    throw UserError(QStringLiteral("Die Datenbankadresse \"%1\" ist ungültig: %2").arg(text, why));
}

int portOf(const QString &text, const QString &value)
{
    bool ok = false;
    const int port = value.toInt(&ok);
    if (!ok || port < 1 || port > 65535)
        refuse(text, QStringLiteral("Der Port \"%1\" ist keine Zahl von 1 bis 65535.").arg(value));
    return port;
}

} // namespace

DatabaseUrl DatabaseUrl::parse(const QString &text)
{
    DatabaseUrl url;
    const QString sqlitePrefix = QStringLiteral("sqlite:");
    if (text.startsWith(sqlitePrefix, Qt::CaseInsensitive)) {
        url.m_kind = Kind::SQLite;
        url.m_filePath = text.mid(sqlitePrefix.size());
        if (url.m_filePath.isEmpty())
            refuse(text, QStringLiteral("Es fehlt der Pfad der Datenbankdatei."));
        return url;
    }
    const QUrl parsed(text, QUrl::StrictMode);
    const QString scheme = parsed.scheme().toLower();
    if (scheme != QLatin1String("postgresql") && scheme != QLatin1String("postgres"))
        refuse(text, QStringLiteral("Erwartet wird \"sqlite:PFAD\" oder \"postgresql://…\"."));
    if (!parsed.isValid())
        refuse(text, parsed.errorString());
    url.m_kind = Kind::PostgreSQL;
    url.m_host = parsed.host();
    url.m_port = parsed.port();
    url.m_userName = parsed.userName();
    url.m_password = parsed.password();
    url.m_databaseName = parsed.path().mid(1); // the path without its leading slash
    const QUrlQuery query(parsed);
    for (const auto &[key, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (key == QLatin1String("host"))
            url.m_host = value;
        else if (key == QLatin1String("port"))
            url.m_port = portOf(text, value);
        else if (key == QLatin1String("user"))
            url.m_userName = value;
        else if (key == QLatin1String("dbname"))
            url.m_databaseName = value;
        else if (key.contains(QLatin1Char(';')) || value.contains(QLatin1Char(';')))
            refuse(text, QStringLiteral("Eine Angabe enthält \";\"."));
        else
            url.m_options << key + QLatin1Char('=') + value; // e.g. sslmode=require, for libpq
    }
    if (url.m_databaseName.isEmpty() || url.m_databaseName.contains(QLatin1Char('/')))
        refuse(text, QStringLiteral("Es fehlt der Name der Datenbank (…/name)."));
    return url;
}

DatabaseUrl DatabaseUrl::sqliteFile(const QString &filePath)
{
    DatabaseUrl url;
    url.m_filePath = filePath;
    return url;
}

DatabaseUrl DatabaseUrl::withDatabaseName(const QString &name) const
{
    DatabaseUrl url = *this;
    url.m_databaseName = name;
    return url;
}

QString DatabaseUrl::driverName() const
{
    return m_kind == Kind::SQLite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL");
}

void DatabaseUrl::applyTo(QSqlDatabase &db) const
{
    if (m_kind == Kind::SQLite) {
        db.setDatabaseName(m_filePath);
        return;
    }
    db.setHostName(m_host);
    db.setPort(m_port);
    db.setUserName(m_userName);
    db.setPassword(m_password);
    db.setDatabaseName(m_databaseName);
    db.setConnectOptions(m_options.join(QLatin1Char(';')));
}

QString DatabaseUrl::displayText() const
{
    if (m_kind == Kind::SQLite)
        return QStringLiteral("sqlite:") + m_filePath;
    QString text = QStringLiteral("postgresql://");
    if (!m_userName.isEmpty())
        text += m_userName + QLatin1Char('@');
    const bool socket = m_host.startsWith(QLatin1Char('/'));
    if (!socket)
        text += m_host;
    if (!socket && m_port > 0)
        text += QLatin1Char(':') + QString::number(m_port);
    text += QLatin1Char('/') + m_databaseName;
    QStringList query = m_options;
    if (socket) {
        query.prepend(QStringLiteral("host=") + m_host);
        if (m_port > 0)
            query.insert(1, QStringLiteral("port=") + QString::number(m_port));
    }
    if (!query.isEmpty())
        text += QLatin1Char('?') + query.join(QLatin1Char('&'));
    return text;
}

} // namespace tk
