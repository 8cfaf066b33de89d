// Finding the line number in a syntax checker report.
#include "windows/ReportedLine.h"

#include <QRegularExpression>

int ReportedLine(const QString& report) {
    static const QRegularExpression kLine(QStringLiteral("^Ошибка на линии (\\d+)"));
    const QRegularExpressionMatch match = kLine.match(report);
    if (!match.hasMatch()) return 0;
    bool ok = false;
    const int line = match.captured(1).toInt(&ok);
    return ok ? line : 0;
}
