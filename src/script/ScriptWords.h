// Word rules of the script language: blanks, letter case and number literals.
#pragma once

#include <QString>
#include <QStringView>

// A blank is the space character only: tabs are ordinary characters in scripts.
QStringView TrimBlanks(QStringView text);

// Lower case character by character, Cyrillic included; the length never changes, so
// positions found in the result hold for the original text too.
QString LowerCase(QStringView text);

// True when the word is a number literal ("integer"): exactly "0", "00" or "000", or a
// word whose leading number is not 0 ("5", "-2.5", "15min"). Any other word names a
// variable ("string"): "0.0", "0000", "x", "", "'5'".
bool IsNumberLiteral(QStringView word);
