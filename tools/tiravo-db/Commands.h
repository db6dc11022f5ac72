#pragma once

class QTextStream;

namespace tiravo::db {

struct Arguments;

// Runs one command and answers its exit status; a failure throws Error.
int RunCommand(const Arguments& arguments, QTextStream& out, QTextStream& err);

} // namespace tiravo::db
