#pragma once

#include <QString>

class TIBDatabase;

// The tables of the local appearance database and their settings row.
class ClinfoSchema
{
public:
    // Creates a new file with both tables and row ID = 1 in each, every
    // other column NULL; leaves the database connected on its transaction.
    // Throws Exception; an existing file is never touched.
    static void create(TIBDatabase &database);
};
