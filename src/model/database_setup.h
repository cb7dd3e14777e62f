#pragma once
// Where the two databases live and how a first run creates them.
//
// The SQL that creates them ships inside the program (data/*.sql, compiled
// in as resources): MERSOL gets every table, the reference rows and the two
// default rows; TULTRANS gets the seven working tables, which job export and
// import move whole.
#include <QString>

// The script that creates the MERSOL database.
QString MersolCreateScript();

// The script that creates the TULTRANS (transfer) database.
QString TransferCreateScript();

// The statements of a working-tables script that create the five undo copies
// (SavePipe.db, SaveProf.DB, SaveGated.db, SavSuction.db, SaveTrickle.DB),
// renamed from their working twins so that the layouts cannot differ.
QString UndoTablesScript(const QString& workSql);

// Registers both create scripts with the table engine and reads its
// configuration: the user's INI file, else the per-user default folders.
void ConfigureDatabase();

// The same with both aliases pointed at the given folders (tests, tools).
void ConfigureDatabase(const QString& mersolFolder, const QString& transferFolder);
