#include "settings/ini_text.h"

#include <QByteArrayView>
#include <QFileDevice>
#include <QIODevice>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <utility>

namespace settings {

namespace {

QString g_writeError;

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool isHexDigit(char16_t c) {
    return c < 0x80 && hexValue(static_cast<char>(c)) >= 0;
}

bool isSpace(char c) {
    return c == ' ' || c == '\t';
}

QByteArrayView trimmed(QByteArrayView text) {
    while (!text.isEmpty() && isSpace(text.front())) text = text.sliced(1);
    while (!text.isEmpty() && isSpace(text.back())) text.chop(1);
    return text;
}

// A key or section name: "\" stands for "/", "%XX" and "%UXXXX" for the
// character of that code.
QString unescapeName(QByteArrayView raw) {
    const QString text = QString::fromUtf8(raw);
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text.at(i);
        if (c == u'\\') {
            out += u'/';
            ++i;
            continue;
        }
        if (c == u'%' && i + 1 < text.size()) {
            const bool wide = text.at(i + 1) == u'U';
            const qsizetype first = i + (wide ? 2 : 1);
            const qsizetype digits = wide ? 4 : 2;
            bool ok = false;
            const ushort code =
                first + digits <= text.size() ? text.mid(first, digits).toUShort(&ok, 16) : 0;
            if (ok) {
                out += QChar(code);
                i = first + digits;
                continue;
            }
        }
        out += c;
        ++i;
    }
    return out;
}

QByteArray escapeName(const QString& name) {
    QByteArray out;
    for (const QChar qc : name) {
        const char16_t c = qc.unicode();
        if (c == u'/') {
            out += '\\';
        } else if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                   (c >= u'0' && c <= u'9') || c == u'_' || c == u'-' || c == u'.') {
            out += static_cast<char>(c);
        } else if (c <= 0xFF) {
            out += '%' + QByteArray::number(c, 16).toUpper().rightJustified(2, '0');
        } else {
            out += "%U" + QByteArray::number(c, 16).toUpper().rightJustified(4, '0');
        }
    }
    return out;
}

// A text written with a leading "@" carries a second one, so that it is not
// taken for a typed value; typed values themselves stay text.
QString storedText(const QString& item) {
    return item.startsWith(QStringLiteral("@@")) ? item.mid(1) : item;
}

// A value: spaces around it dropped, quotes kept together, backslash escapes
// (C-like, "\x" hexadecimal, octal, an escaped line end joining lines)
// resolved; unquoted commas separate the items of a list.
QString unescapeValue(QByteArrayView raw) {
    QStringList items;
    QString item;
    QByteArray plain;  // UTF-8 bytes not yet decoded into `item`
    bool inQuotes = false;
    bool itemQuoted = false;
    bool isList = false;
    qsizetype keep = 0;  // `item` up to here is not trimmed (escaped characters)
    const auto decode = [&] {
        item += QString::fromUtf8(plain);
        plain.clear();
    };
    const auto chopSpaces = [&] {
        decode();
        while (item.size() > keep && (item.back() == u' ' || item.back() == u'\t')) item.chop(1);
    };
    const auto escaped = [&](char16_t c) {
        decode();
        item += QChar(c);
        keep = item.size();
    };
    qsizetype i = 0;
    const auto skipSpaces = [&] {
        while (i < raw.size() && isSpace(raw[i])) ++i;
    };
    skipSpaces();
    while (i < raw.size()) {
        const char c = raw[i++];
        if (c == '\\') {
            if (i >= raw.size()) break;
            const char e = raw[i++];
            static constexpr char kCodes[][2] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'},
                                                 {'n', '\n'}, {'r', '\r'}, {'t', '\t'},
                                                 {'v', '\v'}, {'"', '"'},  {'?', '?'},
                                                 {'\'', '\''}, {'\\', '\\'}};
            bool simple = false;
            for (const auto& code : kCodes) {
                if (e == code[0]) {
                    escaped(static_cast<char16_t>(code[1]));
                    simple = true;
                    break;
                }
            }
            if (simple) continue;
            if (e == 'x' || (e >= '0' && e <= '7')) {
                const int base = e == 'x' ? 16 : 8;
                char16_t value = e == 'x' ? 0 : static_cast<char16_t>(e - '0');
                int digits = e == 'x' ? 0 : 1;
                int digit;
                while (i < raw.size() && (digit = hexValue(raw[i])) >= 0 && digit < base) {
                    value = static_cast<char16_t>(value * base + digit);
                    ++digits;
                    ++i;
                }
                if (digits > 0) escaped(value);
            } else if ((e == '\n' || e == '\r') && i < raw.size() &&
                       (raw[i] == '\n' || raw[i] == '\r') && raw[i] != e) {
                ++i;  // an escaped CR LF (or LF CR) joins the lines
            }
            continue;
        }
        if (c == '"') {
            decode();
            inQuotes = !inQuotes;
            itemQuoted = true;
            if (!inQuotes) skipSpaces();
            continue;
        }
        if (c == ',' && !inQuotes) {
            if (!itemQuoted) chopSpaces();
            decode();
            items << storedText(item);
            item.clear();
            keep = 0;
            itemQuoted = false;
            isList = true;
            skipSpaces();
            continue;
        }
        plain += c;
    }
    if (!itemQuoted) chopSpaces();
    decode();
    if (!isList) return storedText(item);
    items << storedText(item);
    return items.join(QStringLiteral(", "));
}

QByteArray escapeValue(const QString& value) {
    const QString text = value.startsWith(u'@') ? QStringLiteral("@") + value : value;
    QByteArray out;
    QString plain;  // characters written as they are, encoded at once
    bool needsQuotes = false;
    bool hexFollows = false;  // a hexadecimal digit now would extend an escape
    const auto flush = [&] {
        out += plain.toUtf8();
        plain.clear();
    };
    const auto escape = [&](const QByteArray& code) {
        flush();
        out += code;
    };
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == u';' || c == u',' || c == u'=') needsQuotes = true;
        if (hexFollows && isHexDigit(c)) {
            escape("\\x" + QByteArray::number(c, 16));
            continue;
        }
        hexFollows = false;
        switch (c) {
            case u'\0': escape("\\0"); hexFollows = true; break;
            case u'\a': escape("\\a"); break;
            case u'\b': escape("\\b"); break;
            case u'\f': escape("\\f"); break;
            case u'\n': escape("\\n"); break;
            case u'\r': escape("\\r"); break;
            case u'\t': escape("\\t"); break;
            case u'\v': escape("\\v"); break;
            case u'"': escape("\\\""); break;
            case u'\\': escape("\\\\"); break;
            default:
                if (c <= 0x1F) {
                    escape("\\x" + QByteArray::number(c, 16));
                    hexFollows = true;
                } else {
                    plain += qc;
                }
        }
    }
    flush();
    if (needsQuotes || out.startsWith(' ') || out.endsWith(' ')) {
        out = '"' + out + '"';
    }
    return out;
}

// One line of the text, ending before the first line end that no backslash escapes.
QByteArrayView nextLine(QByteArrayView data, qsizetype* at) {
    const qsizetype start = *at;
    qsizetype i = start;
    while (i < data.size() && data[i] != '\n' && data[i] != '\r') {
        if (data[i] == '\\' && i + 1 < data.size()) {
            ++i;
            if (data[i] == '\r' && i + 1 < data.size() && data[i + 1] == '\n') ++i;
        }
        ++i;
    }
    *at = i + 1;
    return data.sliced(start, i - start);
}

}  // namespace

QSettings::Format iniTextFormat() {
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("ini"), readIniText, writeIniText);
    return format;
}

bool readIniText(QIODevice& device, QSettings::SettingsMap& map) {
    const QByteArray data = device.readAll();
    QString section;
    for (qsizetype at = 0; at < data.size();) {
        const QByteArrayView line = trimmed(nextLine(data, &at));
        if (line.isEmpty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            qsizetype end = line.indexOf(']');
            if (end < 0) end = line.size();
            section = unescapeName(trimmed(line.sliced(1, end - 1)));
            if (section == QStringLiteral("General")) {
                section.clear();
            } else if (section == QStringLiteral("%General")) {
                section = QStringLiteral("General");
            }
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0) continue;  // not a setting
        const QString key = unescapeName(trimmed(line.first(equals)));
        if (key.isEmpty()) continue;
        map.insert(section.isEmpty() ? key : section + u'/' + key,
                   unescapeValue(line.sliced(equals + 1)));
    }
    return true;
}

bool writeIniText(QIODevice& device, const QSettings::SettingsMap& map) {
    QByteArray out;
    QString section;
    bool first = true;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const qsizetype slash = it.key().indexOf(u'/');
        const QString keySection = slash < 0 ? QString() : it.key().left(slash);
        const QString key = slash < 0 ? it.key() : it.key().mid(slash + 1);
        if (first || keySection != section) {
            if (!first) out += '\n';
            section = keySection;
            out += '[';
            out += section.isEmpty()                      ? QByteArray("General")
                   : section == QStringLiteral("General") ? QByteArray("%General")
                                                          : escapeName(section);
            out += "]\n";
            first = false;
        }
        out += escapeName(key) + '=' + escapeValue(it.value().toString()) + '\n';
    }
    // QSaveFile's commit would report a failing flush of its buffer (a full
    // disk) as success and put a truncated file in place of the old one.
    auto* file = qobject_cast<QFileDevice*>(&device);
    errno = 0;
    if (device.write(out) == out.size() && (file == nullptr || file->flush())) {
        return true;
    }
    // Qt gives "Unknown error" for some failed writes (a file size limit);
    // the system's own reason is then still in errno.
    const int code = errno;
    g_writeError = code != 0 ? QString::fromLocal8Bit(std::strerror(code)) : device.errorString();
    return false;
}

QString takeIniWriteError() {
    return std::exchange(g_writeError, QString());
}

}  // namespace settings
