// The line a syntax checker report points at.
#pragma once

#include <QString>

// The line number of a report "Ошибка на линии N: ...", or 0 when the report names none.
int ReportedLine(const QString& report);
