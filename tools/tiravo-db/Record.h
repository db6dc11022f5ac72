#pragma once

#include "draws/model/RecordChain.h"

#include <vector>

class QTextStream;

namespace tiravo::db {

// The record as text, one row to a line, oldest first: sequence number, local
// date and time with its offset, operator, pool, action and what it moved.
void WriteRecordText(const std::vector<RecordRow>& rows, QTextStream& out);

} // namespace tiravo::db
