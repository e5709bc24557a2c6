// Parameter files as the four card windows open them: any bytes are written to a file, read and
// split as Open reads them, checked by each window with its own rules (10, 3, 4 and 3 values)
// and, when a window accepts them, applied to its controls and slots.
#include "card_context.h"
#include "card_station.h"
#include "file_dialog_state.h"
#include "form1.h"
#include "form3.h"
#include "form4.h"
#include "form5.h"
#include "fuzz_check.h"
#include "link.h"
#include "notices.h"
#include "parameter_file.h"
#include "slot_table.h"

#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <cmath>
#include <iterator>

using namespace vrn;
using vrn::fuzz::require;

namespace {

// A card window with its file commands' two halves within reach: the file it would save, and
// the checking and applying of the values Open has read.
template <typename Window> class FileWindow : public Window
{
public:
    using Window::applyParameterFile;
    using Window::parameterFile;
    using Window::parameterFileValues;
    using Window::Window;
};

struct Program
{
    CardStation station;
    SlotTable& slots = station.slots;
    Link& link = station.link;
    FileDialogState& files = station.files;
    Notices& notices = station.notices;
    CardContext& context = station.context;
    QTemporaryDir folder;
    QString input = folder.filePath(QStringLiteral("input.par"));
    QString saved = folder.filePath(QStringLiteral("saved.par"));
    FileWindow<Form1> vrnA{context};
    FileWindow<Form3> vrnB{context};
    FileWindow<Form4> vrnC{context};
    FileWindow<Form5> vrnD{context};
};

Program* program = nullptr;

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                file.write(bytes) == bytes.size(),
            "the scratch file can be written", path);
}

bool sameFields(const std::vector<FileField>& a, const std::vector<FileField>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].kind != b[i].kind || a[i].text != b[i].text || a[i].number != b[i].number)
            return false;
    }
    return true;
}

void checkSplit(const std::vector<FileField>& fields, int wanted)
{
    require(static_cast<int>(fields.size()) <= wanted, "splitting stops at the wanted fields");
    for (const FileField& field : fields) {
        switch (field.kind) {
        case FileField::Kind::Empty:
            require(field.text.isEmpty(), "an empty field has no characters");
            break;
        case FileField::Kind::Number:
            require(std::isfinite(field.number) && field.wholeNumber() == field.number,
                    "a bare number is finite and is its own value", field.text);
            break;
        case FileField::Kind::Text:
            break;
        }
    }
}

// Every slot a Send pads goes out as its letter, five digits and "$"; slot a holds the plain
// number that follows "a0000".
void checkSlots(const SlotTable& slots, const char* window)
{
    for (char letter : SlotTable::kLetters) {
        const SlotValue& value = slots.value(letter);
        if (std::holds_alternative<std::monostate>(value))
            continue;
        if (letter == 'a' && std::holds_alternative<double>(value)) {
            const double number = std::get<double>(value);
            require(number >= 0 && number <= 99999 && number == std::trunc(number),
                    "slot a holds a whole number of five digits at most",
                    QString::fromLatin1(window));
            continue;
        }
        const QByteArray frame = commandFrame(letter, padded(value));
        bool digits = frame.size() == 7;
        for (int i = 1; digits && i < 6; ++i)
            digits = frame.at(i) >= '0' && frame.at(i) <= '9';
        require(digits, "a loaded slot goes out as a seven-character command frame",
                QStringLiteral("%1: %2").arg(QLatin1String(window), QString::fromLatin1(frame)));
    }
}

template <typename Window> void open(Window& window, const char* name, const QByteArray& bytes)
{
    const int count = window.parameterFileValues();
    const std::vector<FileField> split = splitParameterFields(bytes, count);
    checkSplit(split, count);

    const FileFields read = readParameterFields(program->input, count);
    const bool readable =
        bytes.size() <= kMaxParameterFileBytes && static_cast<int>(split.size()) == count;
    require(read.ok() == readable, "Open reads every small file with enough values", read.error);
    if (!read.ok())
        return;
    require(sameFields(read.fields, split), "Open reads the fields the file holds");

    const SlotTable slotsBefore = program->slots;
    const QByteArray fileBefore = window.parameterFile();
    if (const std::optional<QString> refusal = window.applyParameterFile(read.fields)) {
        require(!refusal->isEmpty(), "a refusal says why");
        require(program->slots == slotsBefore && window.parameterFile() == fileBefore,
                "a refused file changes nothing", *refusal);
        return;
    }
    checkSlots(program->slots, name);

    // What the window saves now must open again.
    const QByteArray saved = window.parameterFile();
    writeFile(program->saved, saved);
    const FileFields again = readParameterFields(program->saved, count);
    require(again.ok(), "a saved file opens again",
            again.error + QStringLiteral(" after loading ") +
                QString::fromLatin1(bytes.left(200).toPercentEncoding()));
    const std::optional<QString> refusal = window.applyParameterFile(again.fields);
    require(!refusal, "a saved file is accepted again",
            refusal.value_or(QString()) + QStringLiteral(" saved as ") +
                QString::fromLatin1(saved.toPercentEncoding()));
    checkSlots(program->slots, name);

    // The first save may still turn a loaded plain number into a code; from then on saving and
    // opening again changes nothing.
    const QByteArray second = window.parameterFile();
    const SlotTable slotsSecond = program->slots;
    writeFile(program->saved, second);
    const FileFields third = readParameterFields(program->saved, count);
    require(third.ok() && !window.applyParameterFile(third.fields),
            "a file saved twice is accepted again", QString::fromLatin1(second));
    require(window.parameterFile() == second && program->slots == slotsSecond,
            "saving and opening again changes nothing",
            QString::fromLatin1(second.toPercentEncoding()) + QStringLiteral(" became ") +
                QString::fromLatin1(window.parameterFile().toPercentEncoding()));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int qtArgc = 1;
    static char* qtArgv[] = {(*argv)[0], nullptr};
    (void)argc;
    // Kept for the whole run; the windows need the application object while they exist.
    new QApplication(qtArgc, qtArgv);
    program = new Program;
    require(program->folder.isValid(), "a scratch folder can be made");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The value boxes show numbers in the user's format: "." and "," and an Arabic decimal
    // separator, chosen by the input's length so that an input always meets the same one.
    static const QLocale formats[] = {QLocale::c(), QLocale(QLocale::German, QLocale::Germany),
                                      QLocale(QLocale::Arabic, QLocale::Egypt)};
    QLocale::setDefault(formats[size % std::size(formats)]);

    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    writeFile(program->input, bytes);
    open(program->vrnA, "VRN-A", bytes);
    open(program->vrnB, "VRN-B", bytes);
    open(program->vrnC, "VRN-C", bytes);
    open(program->vrnD, "VRN-D", bytes);
    return 0;
}
