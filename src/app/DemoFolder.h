// SPDX-License-Identifier: GPL-3.0-or-later
// A temporary program folder for "vantoril --demo": settings, tariff, script and a
// made-up connection that dials, moves traffic for four minutes, hangs up and dials again.
#pragma once

#include <QString>
#include <QTemporaryDir>

class DemoFolder {
public:
    DemoFolder();  // the folder and its files are removed when this object goes

    // Writes the demo's files; false with the reason in `error` when one cannot be written.
    bool Create(QString* error);
    QString Path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};
