// The German texts call each thing by one name: translations/glossary.tsv gives the German term
// for each English one and the variants that must not appear, and every translation of
// translations/vrn-pc_de.ts is held to it.

#include <algorithm>

#include <QFile>
#include <QList>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>

namespace {

struct Message
{
    QString context;
    QString source;
    QString translation;
    bool finished = true;
};

QRegularExpression wholeWord(const QString& form, bool anyCase)
{
    QString pattern = QRegularExpression::escape(form);
    pattern.replace(QStringLiteral("\\ "), QStringLiteral("\\s+")); // a text may wrap there
    QRegularExpression::PatternOptions options = QRegularExpression::UseUnicodePropertiesOption;
    if (anyCase)
        options |= QRegularExpression::CaseInsensitiveOption;
    return QRegularExpression(QStringLiteral("(?<!\\w)%1(?!\\w)").arg(pattern), options);
}

struct Term
{
    Term(const QStringList& englishForms, const QStringList& germanForms,
         const QStringList& variantForms)
        : name(englishForms.value(0)), german(germanForms), variants(variantForms)
    {
        for (const QString& form : englishForms)
            english << wholeWord(form, true);
        for (const QString& variant : variantForms)
            startOfVariant << QRegularExpression(QStringLiteral("(?<!\\w)") +
                                                     QRegularExpression::escape(variant),
                                                 QRegularExpression::UseUnicodePropertiesOption);
    }

    QString name;                      // the first English form
    QList<QRegularExpression> english; // whole words, in any case
    QStringList german;                // found anywhere, in any case
    QStringList variants;              // at the start of a word, in this case
    QList<QRegularExpression> startOfVariant;
};

struct Glossary
{
    QList<Term> terms;
    QList<QRegularExpression> kept; // words a translation may keep as they are
    QStringList exceptions;         // fragments of translations that quote another program's words
};

// A message as the check reads it.
struct Texts
{
    QString english;
    QString german;
};

QList<Message> readTs(const QString& path, QString* error)
{
    QList<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = path + QStringLiteral(": ") + file.errorString();
        return {};
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == u"message")
            messages << message;
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name")
            context = xml.readElementText();
        else if (xml.name() == u"message")
            message = Message{context, {}, {}, true};
        else if (xml.name() == u"source")
            message.source = xml.readElementText();
        else if (xml.name() == u"translation") {
            message.finished = xml.attributes().value(QStringLiteral("type")) != u"unfinished";
            message.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (xml.name() != u"TS" && xml.name() != u"context")
            xml.skipCurrentElement(); // locations and comments
    }
    if (xml.hasError())
        *error = QStringLiteral("%1:%2: %3").arg(path).arg(xml.lineNumber()).arg(xml.errorString());
    return messages;
}

Glossary readGlossary(const QString& path, QString* error)
{
    Glossary glossary;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = path + QStringLiteral(": ") + file.errorString();
        return {};
    }
    int number = 0;
    while (!file.atEnd()) {
        ++number;
        const QString line = QString::fromUtf8(file.readLine()).chopped(1);
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList columns = line.split(u'\t');
        const auto forms = [&](int column) {
            return columns.value(column).split(u'|', Qt::SkipEmptyParts);
        };
        if (columns.size() < 2 || forms(0).isEmpty() || forms(1).isEmpty()) {
            *error = QStringLiteral("%1:%2: not <english>\\t<german>[\\t<variants>]: %3")
                         .arg(path)
                         .arg(number)
                         .arg(line);
            return {};
        }
        if (columns[0] == u"keep") {
            for (const QString& word : forms(1))
                glossary.kept << wholeWord(word, false);
        } else if (columns[0] == u"except")
            glossary.exceptions << columns[1];
        else
            glossary.terms << Term(forms(0), forms(1), forms(2));
    }
    return glossary;
}

// Command-line material stays as it is typed: options ("--card"), placeholders ("{port}"),
// paths and file names ("/dev/ttyUSB0", "card-{port}.par") and variables ("$USER").
QString withoutCommandLine(const QString& text)
{
    static const QRegularExpression word(QStringLiteral("\\S+"));
    static const QRegularExpression dotInName(QStringLiteral("\\w\\.\\w"));
    static const QRegularExpression marks(QStringLiteral("[{}/\\\\$]"));
    QString out = text;
    auto it = word.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const QString token = m.captured();
        if (token.startsWith(u'-') || token.contains(marks) || token.contains(dotInName))
            out.replace(m.capturedStart(), m.capturedLength(), QString(m.capturedLength(), u' '));
    }
    return out;
}

Texts readAs(const Glossary& glossary, const QString& source, const QString& translation)
{
    QString quoting = translation;
    for (const QString& quoted : glossary.exceptions)
        quoting.replace(quoted, QStringLiteral(" "));
    Texts texts{withoutCommandLine(source), withoutCommandLine(quoting)};
    for (const QRegularExpression& same : glossary.kept) {
        if (texts.german.contains(same))
            texts.english.replace(same, QStringLiteral(" "));
    }
    return texts;
}

// What is wrong with one translation against one term, or an empty text.
QString fault(const Term& term, const Texts& texts)
{
    for (qsizetype i = 0; i < term.variants.size(); ++i) {
        if (texts.german.contains(term.startOfVariant[i]))
            return QStringLiteral("says \"%1\" instead of \"%2\"")
                .arg(term.variants[i], term.german.first());
    }
    const bool named =
        std::any_of(term.english.begin(), term.english.end(),
                    [&](const QRegularExpression& form) { return texts.english.contains(form); });
    const bool told = std::any_of(term.german.begin(), term.german.end(), [&](const QString& f) {
        return texts.german.contains(f, Qt::CaseInsensitive);
    });
    if (named && !told)
        return QStringLiteral("has no \"%1\" for \"%2\"").arg(term.german.first(), term.name);
    return {};
}

} // namespace

class TestGlossary : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void rulesOfTheCheck_data();
    void rulesOfTheCheck();
    void everyTextIsTranslated();
    void oneGermanTermForEachThing_data();
    void oneGermanTermForEachThing();
    void everyExceptionIsUsed();

private:
    QList<Message> m_messages;
    QList<Texts> m_texts; // of each message, as the check reads it
    Glossary m_glossary;
};

void TestGlossary::initTestCase()
{
    QString error;
    m_messages = readTs(QStringLiteral(VRN_TRANSLATIONS_DIR "/vrn-pc_de.ts"), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(m_messages.size() > 100);
    m_glossary = readGlossary(QStringLiteral(VRN_TRANSLATIONS_DIR "/glossary.tsv"), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(!m_glossary.terms.isEmpty());
    for (const Message& m : std::as_const(m_messages))
        m_texts << readAs(m_glossary, m.source, m.translation);
}

// How the check reads the texts, with the term for the port.
void TestGlossary::rulesOfTheCheck_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("translation");
    QTest::addColumn<bool>("right");
    const auto row = [](const char* tag, const char* source, const char* translation, bool right) {
        QTest::newRow(tag) << QString::fromUtf8(source) << QString::fromUtf8(translation) << right;
    };
    row("term-in-a-compound", "A port name is empty.", "Ein Schnittstellenname ist leer.", true);
    row("term-missing", "Other port...", "Anderes Gerät...", false);
    row("variant", "Other port...", "Andere Schnittstelle (Anschluss)...", false);
    row("variant-after-a-hyphen", "the COM ports", "die COM-Ports und Schnittstellen", false);
    row("variant-in-its-plural", "the ports", "die Anschlüsse", false);
    row("word-that-only-holds-the-term", "a report", "ein Bericht", true);
    row("option-and-placeholder", "--port {port}", "--port {port}", true);
    row("file-name", "--out card-{port}.par", "--out card-{port}.par", true);
    row("lower-case-json-key", "port, card", "port, card (Schnittstelle, Karte)", true);
    row("quoted-name-of-another-program", "the Ports (COM & LPT) list",
        "die Liste \"Anschlüsse (COM & LPT)\" der Schnittstellen", true);
}

void TestGlossary::rulesOfTheCheck()
{
    QFETCH(QString, source);
    QFETCH(QString, translation);
    QFETCH(bool, right);
    const Term port(
        {QStringLiteral("port"), QStringLiteral("ports")}, {QStringLiteral("Schnittstelle")},
        {QStringLiteral("Anschluss"), QStringLiteral("Anschlüsse"), QStringLiteral("Port")});
    Glossary glossary;
    glossary.exceptions << QStringLiteral("Anschlüsse (COM & LPT)");
    const QString found = fault(port, readAs(glossary, source, translation));
    QVERIFY2(found.isEmpty() == right, qPrintable(found));
}

void TestGlossary::everyTextIsTranslated()
{
    QStringList open;
    for (const Message& m : std::as_const(m_messages)) {
        if (!m.finished || m.translation.isEmpty())
            open << m.context + QStringLiteral(": ") + m.source;
    }
    QVERIFY2(open.isEmpty(), qPrintable(open.join(u'\n')));
}

void TestGlossary::oneGermanTermForEachThing_data()
{
    QTest::addColumn<int>("term");
    for (int i = 0; i < m_glossary.terms.size(); ++i)
        QTest::newRow(qPrintable(m_glossary.terms[i].name)) << i;
}

void TestGlossary::oneGermanTermForEachThing()
{
    QFETCH(int, term);
    QStringList faults;
    for (qsizetype i = 0; i < m_messages.size(); ++i) {
        const QString found = fault(m_glossary.terms[term], m_texts[i]);
        if (!found.isEmpty()) {
            faults << QStringLiteral("%1: \"%2\" %3")
                          .arg(m_messages[i].context, m_messages[i].translation, found);
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

// An exception that no translation quotes any more would hide the next variant of its words.
void TestGlossary::everyExceptionIsUsed()
{
    for (const QString& quoted : std::as_const(m_glossary.exceptions)) {
        const bool used = std::any_of(m_messages.begin(), m_messages.end(), [&](const Message& m) {
            return m.translation.contains(quoted);
        });
        QVERIFY2(used, qPrintable(quoted));
    }
}

QTEST_GUILESS_MAIN(TestGlossary)
#include "tst_glossary.moc"
