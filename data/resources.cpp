// The SQL scripts of this folder are linked in as Qt resources under :/data;
// this unit only gives the library something to compile.
namespace mersol_data {
int ScriptCount() { return 5; }
}
