// A setting's number as a user or a desktop writes it: digits with at most
// one point, nothing else. Read by hand rather than with strtod because the
// host's locale may make strtod expect a decimal comma.
#pragma once

// The value of the text [begin, end); -1 when it is no such number, or is
// a billion or more.
double plainDecimal(const char* begin, const char* end);
