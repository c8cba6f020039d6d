// Builds the help and the manual from the help pages (run at build time):
//   tolvik_help_tool qhp <pages.txt> <page folder> <out folder>   help project + copied pages
//   tolvik_help_tool pdf <pages.txt> <page folder> <out.pdf>      the manual
// pages.txt lists the pages in reading order, one per line; two leading blanks per level
// of nesting in the contents. A page's <title> is its contents entry; its
// <meta name="keywords" content="a; b"> and its headings with an id are index keywords.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextDocument>
#include <QTextStream>

#include <cstdio>

namespace {

struct Page {
    QString file;
    int level = 0;
    QString title;
    QString html;
};

QString ReadText(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

bool WriteText(const QString& path, const QString& text) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return f.write(text.toUtf8()) >= 0;
}

QString Escape(const QString& s) {
    return s.toHtmlEscaped();
}

/// Text without tags and entities resolved (for titles and headings).
QString PlainText(const QString& html) {
    QTextDocument d;
    d.setHtml(html);
    return d.toPlainText().simplified();
}

bool LoadPages(const QString& list, const QString& folder, QList<Page>& pages) {
    const QStringList lines = ReadText(list).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (line.trimmed().isEmpty() || line.trimmed().startsWith(QLatin1Char('#'))) continue;
        Page p;
        p.file = line.trimmed();
        p.level = int(line.indexOf(p.file) / 2);
        p.html = ReadText(QDir(folder).filePath(p.file));
        if (p.html.isEmpty()) {
            std::fprintf(stderr, "help page missing or empty: %s\n", qPrintable(p.file));
            return false;
        }
        const auto title = QRegularExpression(QStringLiteral("<title>(.*?)</title>"),
                                              QRegularExpression::DotMatchesEverythingOption)
                               .match(p.html);
        p.title = title.hasMatch() ? PlainText(title.captured(1)) : p.file;
        pages << p;
    }
    return !pages.isEmpty();
}

QString Keywords(const QList<Page>& pages) {
    QString out;
    QTextStream s(&out);
    const QRegularExpression meta(QStringLiteral("<meta\\s+name=\"keywords\"\\s+content=\"([^\"]*)\""));
    const QRegularExpression heading(QStringLiteral("<h[1-4][^>]*\\bid=\"([^\"]+)\"[^>]*>(.*?)</h[1-4]>"),
                                     QRegularExpression::DotMatchesEverythingOption);
    for (const Page& p : pages) {
        s << "      <keyword name=\"" << Escape(p.title) << "\" ref=\"" << p.file << "\"/>\n";
        const auto m = meta.match(p.html);
        if (m.hasMatch()) {
            const QStringList words = m.captured(1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
            for (const QString& w : words)
                s << "      <keyword name=\"" << w.trimmed() << "\" ref=\"" << p.file << "\"/>\n";
        }
        auto it = heading.globalMatch(p.html);
        while (it.hasNext()) {
            const auto h = it.next();
            s << "      <keyword name=\"" << Escape(PlainText(h.captured(2))) << "\" ref=\"" << p.file << '#'
              << h.captured(1) << "\"/>\n";
        }
    }
    return out;
}

int WriteProject(const QList<Page>& pages, const QString& folder, const QString& outDir) {
    QDir().mkpath(outDir);
    QString toc;
    QTextStream t(&toc);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const Page& p = pages[i];
        const int next = i + 1 < pages.size() ? pages[i + 1].level : 0;
        t << QString(6 + 2 * p.level, QLatin1Char(' ')) << "<section title=\"" << Escape(p.title)
          << "\" ref=\"" << p.file << "\"" << (next > p.level ? ">" : "/>") << '\n';
        for (int l = p.level; l > next; --l)
            t << QString(4 + 2 * l, QLatin1Char(' ')) << "</section>\n";
    }
    QString files;
    for (const QFileInfo& fi : QDir(folder).entryInfoList({"*.html", "*.css", "*.png"}, QDir::Files)) {
        QFile::remove(QDir(outDir).filePath(fi.fileName()));
        if (!QFile::copy(fi.absoluteFilePath(), QDir(outDir).filePath(fi.fileName()))) return 1;
        files += QStringLiteral("      <file>%1</file>\n").arg(fi.fileName());
    }
    const QString qhp = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                       "<QtHelpProject version=\"1.0\">\n"
                                       "  <namespace>org.tolvik.help</namespace>\n"
                                       "  <virtualFolder>doc</virtualFolder>\n"
                                       "  <filterSection>\n"
                                       "    <toc>\n%1    </toc>\n"
                                       "    <keywords>\n%2    </keywords>\n"
                                       "    <files>\n%3    </files>\n"
                                       "  </filterSection>\n"
                                       "</QtHelpProject>\n")
                            .arg(toc, Keywords(pages), files);
    return WriteText(QDir(outDir).filePath(QStringLiteral("tolvik.qhp")), qhp) ? 0 : 1;
}

/// The body of a page, its links to other pages turned into plain text.
QString Body(const QString& html) {
    static const QRegularExpression body(QStringLiteral("<body[^>]*>(.*)</body>"),
                                         QRegularExpression::DotMatchesEverythingOption);
    const auto m = body.match(html);
    QString b = m.hasMatch() ? m.captured(1) : html;
    static const QRegularExpression link(QStringLiteral("<a\\s+href=\"[^\"]*\"[^>]*>(.*?)</a>"),
                                         QRegularExpression::DotMatchesEverythingOption);
    b.replace(link, QStringLiteral("<i>\\1</i>"));
    return b;
}

int WriteManual(const QList<Page>& pages, const QString& folder, const QString& out) {
    QString html = QStringLiteral("<html><head><style>%1</style></head><body>")
                       .arg(ReadText(QDir(folder).filePath(QStringLiteral("style.css"))));
    html +=
        QStringLiteral("<h1>Tolvik 4.0 Manual</h1><p>A design aid for inductors and transformers on ferrite "
                       "cores.</p><h2>Contents</h2>");
    for (const Page& p : pages)
        html += QStringLiteral("<p style=\"margin-left:%1em\">%2</p>").arg(2 * p.level).arg(Escape(p.title));
    for (const Page& p : pages)
        html += QStringLiteral("<div style=\"page-break-before: always\">%1</div>").arg(Body(p.html));
    html += QStringLiteral("</body></html>");

    QTextDocument doc;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(10);
    doc.setDefaultFont(font);
    doc.setHtml(html);
    QPdfWriter pdf(out);
    pdf.setTitle(QStringLiteral("Tolvik 4.0 Manual"));
    pdf.setCreator(QStringLiteral("Tolvik"));
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                                  QPageLayout::Millimeter));
    doc.print(&pdf);
    return QFileInfo(out).size() > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5 || (args[1] != QLatin1String("qhp") && args[1] != QLatin1String("pdf"))) {
        std::fprintf(stderr, "usage: tolvik_help_tool qhp|pdf <pages.txt> <page folder> <out>\n");
        return 2;
    }
    QList<Page> pages;
    if (!LoadPages(args[2], args[3], pages)) return 1;
    return args[1] == QLatin1String("qhp") ? WriteProject(pages, args[3], args[4])
                                           : WriteManual(pages, args[3], args[4]);
}
