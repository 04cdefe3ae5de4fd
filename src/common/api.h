#pragma once
// PMQ_API marks what the shared library exports: the classes and functions of
// the installed headers. The library is built with hidden visibility, so
// everything else (the workbook model, the database engines, the forms) stays
// inside it and can change without breaking a host.

#define PMQ_API __attribute__((visibility("default")))
