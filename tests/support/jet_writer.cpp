#include "jet_writer.h"

#include <QFile>

#include <cstring>

namespace k52test {

namespace {

struct Format {
    bool jet4;
    int page;       // page size
    int row_count;  // offset of the row count on a data page
    int cols_start; // first column entry of a table definition
    int col_entry;  // size of one column entry
};

Format format_of(JetVersion v) {
    return v == JetVersion::Jet4 ? Format{true, 4096, 12, 63, 25} : Format{false, 2048, 8, 43, 18};
}

void put16(QByteArray &b, int at, quint32 v) {
    b[at] = char(v & 0xff);
    b[at + 1] = char((v >> 8) & 0xff);
}
void put32(QByteArray &b, int at, quint32 v) {
    put16(b, at, v & 0xffff);
    put16(b, at + 2, v >> 16);
}
void add16(QByteArray &b, quint32 v) {
    b.append(2, '\0');
    put16(b, int(b.size()) - 2, v);
}
void add32(QByteArray &b, quint32 v) {
    b.append(4, '\0');
    put32(b, int(b.size()) - 4, v);
}

void rc4(const unsigned char *key, int keylen, unsigned char *data, int len) {
    unsigned char s[256];
    for (int i = 0; i < 256; ++i)
        s[i] = static_cast<unsigned char>(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + key[i % keylen]) & 0xff;
        std::swap(s[i], s[j]);
    }
    for (int n = 0, i = 0, j = 0; n < len; ++n) {
        i = (i + 1) & 0xff;
        j = (j + s[i]) & 0xff;
        std::swap(s[i], s[j]);
        data[n] ^= s[(s[i] + s[j]) & 0xff];
    }
}

bool is_fixed(JetType t) {
    return t != JetText && t != JetMemo && t != JetOle;
}

int fixed_size(JetType t) {
    return t == JetByte ? 1 : t == JetInt ? 2 : t == JetLong ? 4 : t == JetDouble ? 8 : 0;
}

// Jet 3 keeps single-byte text (code page 1252); Jet 4 UCS-2, compressed to
// one byte a character (after FF FE) when every character allows it.
QByteArray text_bytes(const Format &f, const QString &s) {
    if (!f.jet4)
        return s.toLatin1();
    bool narrow = true;
    for (QChar c : s)
        narrow = narrow && c.unicode() > 0 && c.unicode() < 256;
    if (narrow && !s.isEmpty())
        return QByteArray("\xff\xfe", 2) + s.toLatin1();
    QByteArray out;
    for (QChar c : s)
        add16(out, c.unicode());
    return out;
}

QByteArray name_bytes(const Format &f, const QString &s) {
    QByteArray out;
    if (f.jet4) {
        add16(out, quint32(s.size() * 2));
        for (QChar c : s)
            add16(out, c.unicode());
    } else {
        out.append(char(s.size())).append(s.toLatin1());
    }
    return out;
}

struct Layout {
    QVector<int> fixed_offset; // per column (fixed ones)
    QVector<int> var_index;    // per column (variable ones)
    int var_count = 0;
};

Layout layout_of(const JetTable &t) {
    Layout l;
    int fixed = 0;
    for (const JetColumn &c : t.columns) {
        l.fixed_offset << (is_fixed(c.type) ? fixed : 0);
        l.var_index << (is_fixed(c.type) ? 0 : l.var_count);
        if (is_fixed(c.type))
            fixed += fixed_size(c.type);
        else
            ++l.var_count;
    }
    return l;
}

QByteArray value_bytes(const Format &f, JetType t, const QVariant &v) {
    QByteArray b;
    if (t == JetText)
        return text_bytes(f, v.toString());
    if (t == JetMemo) {
        const QByteArray data = text_bytes(f, v.toString());
        add32(b, quint32(data.size()) | 0x80000000u); // kept inline in the row
        return b + QByteArray(8, '\0') + data;
    }
    if (t == JetDouble) {
        const double d = v.toDouble();
        return QByteArray(reinterpret_cast<const char *>(&d), 8);
    }
    add32(b, quint32(v.toLongLong())); // little-endian: the narrower kinds are its first bytes
    return b.left(fixed_size(t));
}

QByteArray encode_row(const Format &f, const JetTable &t, const Layout &l, const QVector<QVariant> &row) {
    const int n = int(t.columns.size());
    QByteArray r;
    if (f.jet4)
        add16(r, quint32(n));
    else
        r.append(char(n));
    QByteArray mask((n + 7) / 8, '\0');
    auto set_bit = [&](int i) { mask[i / 8] = char(mask[i / 8] | (1 << (i % 8))); };
    for (int i = 0; i < n; ++i) {
        const JetType type = t.columns[i].type;
        if (!is_fixed(type))
            continue;
        const QVariant &v = row.value(i);
        if (type == JetBool) {
            if (!v.isNull() && v.toLongLong() != 0)
                set_bit(i); // the value of a yes/no column is its mask bit
            continue;
        }
        r += v.isNull() ? QByteArray(fixed_size(type), '\0') : value_bytes(f, type, v);
        if (!v.isNull())
            set_bit(i);
    }
    QVector<int> offsets;
    for (int i = 0; i < n; ++i) {
        const JetType type = t.columns[i].type;
        if (is_fixed(type))
            continue;
        offsets << int(r.size());
        const QVariant &v = row.value(i);
        if (!v.isNull()) {
            r += value_bytes(f, type, v);
            set_bit(i);
        }
    }
    const int eod = int(r.size());
    const int nv = l.var_count;
    if (f.jet4) {
        add16(r, quint32(eod));
        for (int i = nv - 1; i >= 0; --i)
            add16(r, quint32(offsets[i]));
        add16(r, quint32(nv));
        return r + mask;
    }
    // Jet 3: one-byte offsets; the jump table says at which entry the
    // offsets pass each multiple of 256. Its length follows from the length
    // of the whole row, which includes it, with a dummy entry when the row
    // is one jump longer than the offsets need.
    offsets << eod;
    const int trailer = 1 + nv + 1 + int(mask.size()); // eod, offsets, count, mask
    int jumps = 0;
    for (int next = 0;; jumps = next)
        if ((next = (eod + trailer + jumps - 1) / 256) == jumps)
            break;
    const int needed = eod / 256;
    QByteArray jump_table;
    for (int j = needed - 1; j >= 0; --j) {
        int first = 0;
        while (offsets[first] < (j + 1) * 256)
            ++first;
        jump_table.append(char(first));
    }
    if (jumps > needed)
        jump_table.prepend(char(0xff));
    r.append(char(eod & 0xff));
    for (int i = nv - 1; i >= 0; --i)
        r.append(char(offsets[i] & 0xff));
    r += jump_table;
    r.append(char(nv));
    return r + mask;
}

QByteArray new_page(const Format &f, char type, quint32 owner) {
    QByteArray p(f.page, '\0');
    p[0] = type;
    p[1] = 1;
    put32(p, 4, owner);
    return p;
}

// Rows laid from the end of the page towards its row table.
bool add_row(const Format &f, QByteArray &page, const QByteArray &row) {
    const int count = quint8(page[f.row_count]) | quint8(page[f.row_count + 1]) << 8;
    const int end =
        count == 0 ? f.page : (quint8(page[f.row_count + 2 * count]) | quint8(page[f.row_count + 1 + 2 * count]) << 8);
    const int start = end - int(row.size());
    if (start < f.row_count + 2 + 2 * (count + 1))
        return false;
    std::memcpy(page.data() + start, row.constData(), size_t(row.size()));
    put16(page, f.row_count + 2 + 2 * count, quint32(start));
    put16(page, f.row_count, quint32(count + 1));
    put16(page, 2, quint32(start - (f.row_count + 2 + 2 * (count + 1))));
    return true;
}

QByteArray table_definition(const Format &f, const JetTable &t, const Layout &l, bool system, quint32 map_row) {
    QByteArray d(f.cols_start, '\0');
    d[0] = 2;
    d[1] = 1;
    if (!f.jet4) {
        d[2] = 'V';
        d[3] = 'C';
    }
    const int n = int(t.columns.size());
    const int base = f.jet4 ? 16 : 12; // row count
    put32(d, base, quint32(t.rows.size()));
    const int type_at = f.jet4 ? 40 : 20;
    d[type_at] = char(system ? 0x53 : 0x4e);
    put16(d, type_at + 1, quint32(n));           // max_cols
    put16(d, type_at + 3, quint32(l.var_count)); // num_var_cols
    put16(d, type_at + 5, quint32(n));           // num_cols
    put32(d, type_at + 15, map_row);             // used pages
    put32(d, type_at + 19, map_row);             // pages with free space
    for (int i = 0; i < n; ++i) {
        const JetType type = t.columns[i].type;
        QByteArray c(f.col_entry, '\0');
        c[0] = char(type);
        const int num = f.jet4 ? 5 : 1;
        put16(c, num, quint32(i));
        put16(c, num + 2, quint32(l.var_index[i]));
        put16(c, num + 4, quint32(i));
        const bool text = type == JetText || type == JetMemo;
        if (text) {
            put16(c, f.jet4 ? 11 : 7, 0x409); // general sort order
            if (!f.jet4)
                put16(c, 9, 1252);
        }
        c[f.jet4 ? 15 : 13] = char((is_fixed(type) ? 0x01 : 0) | 0x02);
        if (f.jet4 && text)
            c[16] = 1; // compressed unicode allowed
        put16(c, f.jet4 ? 21 : 14, quint32(l.fixed_offset[i]));
        const int len = type == JetText ? (f.jet4 ? 510 : 255) : fixed_size(type);
        put16(c, f.jet4 ? 23 : 16, quint32(len));
        d += c;
    }
    for (const JetColumn &c : t.columns)
        d += name_bytes(f, c.name);
    add16(d, 0xffff);
    put32(d, 8, quint32(d.size()));
    return d;
}

} // namespace

QByteArray jet_database(JetVersion version, const QVector<JetTable> &user_tables) {
    const Format f = format_of(version);
    QVector<QByteArray> pages(3);

    // Page 0: signature, version, and the header that the reader decrypts.
    QByteArray head(f.page, '\0');
    head[1] = 1;
    std::memcpy(head.data() + 4, "Standard Jet DB", 15);
    head[0x14] = char(f.jet4 ? 1 : 0);
    put16(head, f.jet4 ? 0x6e : 0x3a, 0x409); // language
    put16(head, 0x3c, 1252);                  // code page
    put32(head, 0x3e, 0);                     // no page encryption
    const unsigned char key[4] = {0xc7, 0xda, 0x39, 0x6b};
    rc4(key, 4, reinterpret_cast<unsigned char *>(head.data()) + 0x18, f.jet4 ? 128 : 126);
    pages[0] = head;

    // Page 1 holds the usage maps, one row per table (the catalog's first);
    // page 2 the catalog's table definition.
    QVector<QByteArray> map_rows(1);

    JetTable catalog{QStringLiteral("MSysObjects"),
                     {{QStringLiteral("Id"), JetLong},
                      {QStringLiteral("Name"), JetText},
                      {QStringLiteral("Type"), JetInt},
                      {QStringLiteral("Flags"), JetLong},
                      {QStringLiteral("LvProp"), JetOle}},
                     {{2, QStringLiteral("MSysObjects"), 1, qint64(0x80000002u), QVariant()}}};

    // Data pages of a table, and its usage map: a type 0 map whose bits,
    // from its first page on, mark the pages the table owns.
    auto place_rows = [&](const JetTable &t, const Layout &l, quint32 tdef) {
        QVector<quint32> used;
        QByteArray page;
        for (const auto &row : t.rows) {
            const QByteArray r = encode_row(f, t, l, row);
            if (page.isEmpty() || !add_row(f, page, r)) {
                if (!page.isEmpty())
                    pages << page;
                page = new_page(f, 1, tdef);
                used << quint32(pages.size());
                add_row(f, page, r);
            }
        }
        if (!page.isEmpty())
            pages << page;
        QByteArray map(1, '\0');
        const quint32 first = used.isEmpty() ? 0 : used.first();
        add32(map, first);
        QByteArray bits(used.isEmpty() ? 1 : int((used.last() - first) / 8 + 1), '\0');
        for (quint32 p : used)
            bits[int((p - first) / 8)] = char(bits[int((p - first) / 8)] | (1 << ((p - first) % 8)));
        return map + bits;
    };
    // A definition longer than a page continues on further pages, each with
    // an 8-byte header whose bytes 4-7 the previous page points to.
    auto chain_pages = [&](const QByteArray &def, quint32 first_page) {
        QVector<QByteArray> out;
        out << def.left(f.page).leftJustified(f.page, '\0');
        for (qsizetype at = f.page; at < def.size(); at += f.page - 8) {
            QByteArray p = new_page(f, 2, 0);
            std::memcpy(p.data() + 8, def.constData() + at, size_t(qMin<qsizetype>(f.page - 8, def.size() - at)));
            out << p;
        }
        for (int i = 0; i + 1 < out.size(); ++i)
            put32(out[i], 4, first_page + quint32(i) + 1);
        return out;
    };

    for (int ti = 0; ti < user_tables.size(); ++ti) {
        const JetTable &t = user_tables[ti];
        const Layout l = layout_of(t);
        const QByteArray def = table_definition(f, t, l, false, (1u << 8) | quint32(ti + 1));
        const quint32 tdef = quint32(pages.size());
        pages += chain_pages(def, tdef);
        map_rows << place_rows(t, l, tdef);
        catalog.rows << QVector<QVariant>{qint64(tdef), t.name, 1, 0, QVariant()};
    }
    const Layout cl = layout_of(catalog);
    const QVector<QByteArray> catalog_def = chain_pages(table_definition(f, catalog, cl, true, 1u << 8), 2);
    Q_ASSERT(catalog_def.size() == 1);
    pages[2] = catalog_def.first();
    map_rows[0] = place_rows(catalog, cl, 2);
    QByteArray maps = new_page(f, 1, 0);
    for (const QByteArray &m : map_rows)
        add_row(f, maps, m);
    pages[1] = maps;
    QByteArray out;
    for (const QByteArray &p : pages)
        out += p;
    return out;
}

bool write_jet_database(const QString &path, JetVersion version, const QVector<JetTable> &tables) {
    QFile f(path);
    const QByteArray data = jet_database(version, tables);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(data) == data.size();
}

} // namespace k52test
