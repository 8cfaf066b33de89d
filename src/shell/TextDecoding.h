// Text files are UTF-8; a file that is not valid UTF-8 was written on Windows (1251).
#pragma once

#include <QByteArray>
#include <QString>

QString DecodeText(const QByteArray& bytes);
