#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tallyvex {

class Cursor;

/// The two lists of addresses the office keeps: the shooter database and the clubs.
enum class AddressList { Shooters, Clubs };

/// File name in the data folder and the six fields of a line, in their order.
struct AddressFileDef {
    QString fileName;
    QStringList fields;
};
const AddressFileDef& addressFileDef(AddressList list);

/// Text in the Windows code page 1252, the one mail-merge programs on the office's machines
/// read. A character the code page cannot hold becomes "?".
QByteArray toWindows1252(const QString& text);

/// One line of an address file: each value in double quotes, separated by commas, ended by
/// CR LF. A quote inside a value is doubled, so the line still reads as six fields.
QByteArray addressLine(const QStringList& values);

/// Appends a line for every row of the cursor, in its current order and filter, to the file
/// (created when it does not exist; never emptied). A row being edited is stored first. The
/// cursor stands past its last row afterwards. Raises FileError naming the path when the file
/// cannot be written; then nothing is added to it. Returns the number of lines written.
int exportAddresses(Cursor& cursor, AddressList list, const QString& path);

/// The notice after the export, with the path of the file as written.
QString addressExportMessage(AddressList list, const QString& path, bool english);

} // namespace tallyvex
