#include "address_export.h"

#include "data/cursor.h"
#include "data/errors.h"

#include <QDir>
#include <QFile>

namespace tallyvex {

const AddressFileDef& addressFileDef(AddressList list) {
    static const AddressFileDef shooters{QStringLiteral("tallyvex_schuetzen_adressdaten.txt"),
                                         {QStringLiteral("Nachname"), QStringLiteral("Vorname"),
                                          QStringLiteral("Strasse"), QStringLiteral("Postleitzahl"),
                                          QStringLiteral("Ort"), QStringLiteral("Land")}};
    static const AddressFileDef clubs{
        QStringLiteral("tallyvex_vereine_adressdaten.txt"),
        {QStringLiteral("Vereinsname"), QStringLiteral("Ansprechperson"), QStringLiteral("Strasse"),
         QStringLiteral("Postleitzahl"), QStringLiteral("Ort"), QStringLiteral("Abkuerzung")}};
    return list == AddressList::Shooters ? shooters : clubs;
}

namespace {
// Code page 1252 differs from Latin-1 only in 0x80..0x9F, where it holds typographic signs
// instead of control codes; five places there are unused (0).
constexpr char32_t cp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char toCp1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (int i = 0; i < 32; ++i)
        if (cp1252High[i] != 0 && cp1252High[i] == c)
            return char(0x80 + i);
    return '?';
}
} // namespace

QByteArray toWindows1252(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (char32_t c : text.toUcs4())
        out.append(toCp1252(c));
    return out;
}

QByteArray addressLine(const QStringList& values) {
    QByteArray line;
    for (int i = 0; i < values.size(); ++i) {
        if (i > 0)
            line.append(',');
        line.append('"');
        line.append(toWindows1252(values[i]).replace("\"", "\"\""));
        line.append('"');
    }
    line.append("\r\n");
    return line;
}

namespace {
// The grid bound to the cursor would otherwise follow every row of the walk.
class ControlsHeldBack final {
public:
    explicit ControlsHeldBack(Cursor& c) : c_(c) { c_.disableControls(); }
    ~ControlsHeldBack() { c_.enableControls(); }
    ControlsHeldBack(const ControlsHeldBack&) = delete;
    ControlsHeldBack& operator=(const ControlsHeldBack&) = delete;

private:
    Cursor& c_;
};
} // namespace

int exportAddresses(Cursor& cursor, AddressList list, const QString& path) {
    const AddressFileDef& def = addressFileDef(list);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        throw FileError(QStringLiteral("The address file \"%1\" could not be written: %2")
                            .arg(QDir::toNativeSeparators(path), file.errorString()));

    // The whole block is gathered first and written at once, so a failing walk adds nothing.
    QByteArray block;
    int lines = 0;
    {
        ControlsHeldBack held(cursor);
        QStringList values;
        for (cursor.first(); !cursor.eof(); cursor.next()) {
            values.clear();
            for (const QString& field : def.fields)
                values << cursor.asString(field);
            block.append(addressLine(values));
            ++lines;
        }
    }
    if (file.write(block) != block.size() || !file.flush())
        throw FileError(QStringLiteral("The address file \"%1\" could not be written: %2")
                            .arg(QDir::toNativeSeparators(path), file.errorString()));
    file.close();
    return lines;
}

QString addressExportMessage(AddressList list, const QString& path, bool english) {
    const QString shown = QDir::toNativeSeparators(path);
    if (list == AddressList::Shooters)
        return QStringLiteral("All shooters have been exported to file: \"%1\"!").arg(shown);
    return english ? QStringLiteral("All data have been exported to file: \"%1\"!").arg(shown)
                   : QStringLiteral("Alle Adressdaten wurden exportiert in: \"%1\"!").arg(shown);
}

} // namespace tallyvex
