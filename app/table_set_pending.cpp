// Stand-in for the table set's start-up (table names, passwords, station settings, annex titles):
// the storage subsystem defines InitDB, and this file goes when it joins.
#include "app/form1.h"

void TForm1::InitDB() {}
