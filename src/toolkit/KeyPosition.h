#pragma once

#include "store/Record.h"

// Where a record stands between the first and the last record of a key order, estimated from
// its key values alone, and the other way round. The estimate works on the first component in
// which the first and last records differ: numbers linearly, text by its first letters. It
// lets a list place its scroll bar, and jump to a point of it, without counting rows.
namespace toolkit::keyposition {

// 0 at the first record, 1 at the last.
double fractionOf(const store::Record &row, const store::Record &first, const store::Record &last,
                  int key);
// Key values (in a record whose other fields are blank) about the fraction of the way from
// the first to the last record.
store::Record valuesAt(double fraction, const store::Record &first, const store::Record &last,
                       int key);

} // namespace toolkit::keyposition
