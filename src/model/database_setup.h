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

// Takes the MERSOL database for this process: a lock on the database file
// itself (made first when there is none yet), released by the system when
// the process ends, however it ends. Throws DbError naming the database when
// another copy of either program holds it. A second claim by the same
// process is a no-op.
void ClaimDatabase();
// Gives the claim up, every connection closed first (tests).
void ReleaseDatabaseClaim();

// What both programs do before their data module exists: configure the
// aliases, claim the database, fold in what a program that did not close
// left in its write-ahead log, and bring a database of an older layout up to
// date (a copy of it kept beside it, and the user told). Throws DbError, with
// nothing changed, when the database cannot be used.
void StartDatabase();
// What both programs do last: close the databases, so that the main one is
// a single file again (its write-ahead log folded back in), and give the
// claim up. Throws DbError naming the folder, the claim given up even so,
// when saves are left in the log.
void StopDatabase();
