#include "platform/Profile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QStringList>

namespace Platform {

namespace {

struct Entry {
    QString key;
    QString value;
};

struct Section {
    QString name;
    QList<Entry> entries;
};

struct ParsedFile {
    QDateTime modified;
    qint64 size = -1;
    QList<Section> sections;
};

QHash<QString, ParsedFile> gCache;

QString Unquote(QString value) {
    value = value.trimmed();
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == u'"' || first == u'\'') && value.back() == first)
            value = value.mid(1, value.size() - 2);
    }
    return value;
}

// The name inside "[name]", or a null string when the line is not a section
// header.
QString SectionName(const QString& line) {
    const QString t = line.trimmed();
    if (!t.startsWith(u'[')) return {};
    const qsizetype close = t.indexOf(u']');
    return (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
}

bool IsComment(const QString& line) {
    return line.trimmed().startsWith(u';');
}

QList<Section> Parse(const QByteArray& bytes) {
    QList<Section> sections;
    const QString text = QString::fromUtf8(bytes);
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r')) line.chop(1);
        if (IsComment(line)) continue;
        const QString name = SectionName(line);
        if (!name.isNull()) {
            sections.append({name, {}});
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0 || sections.isEmpty()) continue;
        sections.last().entries.append({line.left(eq).trimmed(), Unquote(line.mid(eq + 1))});
    }
    return sections;
}

const ParsedFile* Load(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) return nullptr;
    auto it = gCache.find(path);
    if (it != gCache.end() && it->modified == info.lastModified() && it->size == info.size())
        return &*it;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return nullptr;
    ParsedFile parsed;
    parsed.modified = info.lastModified();
    parsed.size = info.size();
    parsed.sections = Parse(file.readAll());
    return &*gCache.insert(path, parsed);
}

QString CutToBuffer(const QString& text, int bufferSize) {
    const int max = bufferSize > 0 ? bufferSize - 1 : 0;
    if (text.size() <= max) return text;
    qsizetype n = max;
    if (n > 0 && text[n - 1].isHighSurrogate()) --n; // never leave half a character behind
    return text.left(n);
}

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

QString GetProfileString(const QString& section, const QString& key, const QString& defaultValue,
                         const QString& path, int bufferSize) {
    if (const ParsedFile* file = Load(path)) {
        for (const Section& s : file->sections) {
            if (!SameName(s.name, section)) continue;
            for (const Entry& e : s.entries)
                if (SameName(e.key, key)) return CutToBuffer(e.value, bufferSize);
            break;
        }
    }
    return CutToBuffer(defaultValue.trimmed(), bufferSize);
}

bool WriteProfileString(const QString& section, const QString& key, const QString& value,
                        const QString& path) {
    QByteArray old;
    {
        QFile file(path);
        if (file.exists()) {
            if (!file.open(QIODevice::ReadOnly)) return false;
            old = file.readAll();
        }
    }
    const QByteArray eol = old.contains("\r\n") ? QByteArray("\r\n") : QByteArray("\n");

    // Split into lines that keep their own endings, so untouched lines are
    // written back exactly as they were.
    QList<QByteArray> lines;
    for (qsizetype start = 0; start < old.size();) {
        qsizetype end = old.indexOf('\n', start);
        end = end < 0 ? old.size() : end + 1;
        lines.append(old.mid(start, end - start));
        start = end;
    }
    const QByteArray newLine = (key + u'=' + value).toUtf8() + eol;

    auto lineText = [&](qsizetype i) {
        QString t = QString::fromUtf8(lines[i]);
        while (t.endsWith(u'\n') || t.endsWith(u'\r'))
            t.chop(1);
        return t;
    };

    qsizetype sectionLine = -1;
    for (qsizetype i = 0; i < lines.size() && sectionLine < 0; ++i)
        if (!IsComment(lineText(i)) && SameName(SectionName(lineText(i)), section)) sectionLine = i;

    if (sectionLine < 0) {
        if (!lines.isEmpty() && !lines.last().endsWith('\n')) lines.last().append(eol);
        lines.append(('[' + section + ']').toUtf8() + eol);
        lines.append(newLine);
    } else {
        qsizetype insertAt = sectionLine + 1;
        bool replaced = false;
        for (qsizetype i = sectionLine + 1; i < lines.size(); ++i) {
            const QString t = lineText(i);
            if (!IsComment(t) && !SectionName(t).isNull()) break;
            const qsizetype eq = t.indexOf(u'=');
            if (!IsComment(t) && eq >= 0 && SameName(t.left(eq).trimmed(), key)) {
                const QByteArray ending = lines[i].endsWith("\r\n") ? QByteArray("\r\n")
                                          : lines[i].endsWith('\n') ? QByteArray("\n")
                                                                    : QByteArray();
                lines[i] = (key + u'=' + value).toUtf8() + ending;
                replaced = true;
                break;
            }
            if (!t.trimmed().isEmpty()) insertAt = i + 1;
        }
        if (!replaced) {
            if (insertAt > 0 && !lines[insertAt - 1].endsWith('\n'))
                lines[insertAt - 1].append(eol);
            lines.insert(insertAt, newLine);
        }
    }

    // A file that holds the value already is left alone, so that a settings
    // file nobody may write still takes what it already says.
    if (!old.isEmpty() && lines.join() == old) return true;

    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) return false;
    for (const QByteArray& l : lines)
        out.write(l);
    if (!out.commit()) return false;
    gCache.remove(path);
    return true;
}

} // namespace Platform
