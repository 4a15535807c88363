#pragma once

class ServerDatabase;

// What a fresh server database holds: the demo catalogue and users, or a
// generated catalogue of a chosen size for tests and benchmarks.
class DemoContent
{
public:
    // Groups, the mailbox module with its toolbar controls, a few more
    // modules, icons; users "demo"/"demo" (everything) and "guest"/"guest"
    // (the mailbox only).
    static void fill(ServerDatabase &db);

    // rows catalogue rows in blocks of ten: a group, three modules under it
    // (the first one the mailbox), six control rights of that mailbox;
    // 24 x 24 icons, every 50th row 48 x 48, every 50th (offset 13) NULL.
    // "demo" is granted every row, "guest" nothing.
    static void generate(ServerDatabase &db, int rows);
};
