#pragma once

#include <QStringList>

#include "core/db/DatabaseUrl.h"

namespace tk {

// The change log's triggers: every insert, update and delete of Personal, Schicht, Tagplan
// and AuswPos, every change of a day record's Schicht, and every closing and reopening
// (Abschluss) leave one row per changed field in Protokoll, whoever writes; its rows can be
// neither changed nor deleted. The writer's user, workstation and reason come from the
// session (SessionStamp.h); a write from outside the program leaves them empty.
//
// Schluessel names the row: "10" (Personal), "3" (Schicht), "3;1" (Tagplan), "10;2024-03-04"
// (AuswPos, auswert), "10;2024-03" (Abschluss).
QStringList changeLogStatements(DatabaseUrl::Kind kind);

} // namespace tk
