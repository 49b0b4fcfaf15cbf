// Every caption a person reads comes from the language file: a scan of the
// window sources for literal text handed to caption setters.  The running
// window in each language is looked at by laptop_test.

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

namespace {

// Texts that are no caption: the product's name, the tool name "AIM" (the
// same in every language), file patterns and file names.
bool allowed(const QString& literal) {
    static const QStringList fixed = {"Zerlant", "AIM", "PDF (*.pdf)", "idioma.pdf"};
    if (fixed.contains(literal))
        return true;
    static const QRegularExpression pattern(QStringLiteral("^[*.\\w ;,]*\\*[*.\\w ;,]*$"));
    return pattern.match(literal).hasMatch();
}

// Words a person reads: two words with a blank between them, or one
// capitalised word ("Cancel").  Object names ("BTejecutar", "lblVersion",
// "Label1") and icon names ("edit-undo") are single words of other shapes.
bool looksLikeText(const QString& literal) {
    static const QRegularExpression words(QStringLiteral("\\p{L}+[ ]+\\p{L}+"));
    static const QRegularExpression word(QStringLiteral("^\\p{Lu}\\p{Ll}+[.!?:]*$"));
    return words.match(literal).hasMatch() || word.match(literal).hasMatch();
}

// The source without comments (string literals kept).
QString withoutComments(const QString& source) {
    QString out;
    for (qsizetype i = 0; i < source.size(); ++i) {
        const QChar c = source.at(i);
        if (c == '"' || c == '\'') {
            const qsizetype start = i++;
            while (i < source.size() && source.at(i) != c) i += source.at(i) == '\\' ? 2 : 1;
            out += source.mid(start, i - start + 1);
        } else if (source.mid(i, 2) == QLatin1String("//")) {
            while (i < source.size() && source.at(i) != '\n') ++i;
            out += '\n';
        } else if (source.mid(i, 2) == QLatin1String("/*")) {
            i = source.indexOf(QLatin1String("*/"), i + 2);
            if (i < 0)
                break;
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

// The argument list of the call whose '(' is at `open`.
QString arguments(const QString& code, qsizetype open) {
    int depth = 0;
    for (qsizetype i = open; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (c == '"') {
            ++i;
            while (i < code.size() && code.at(i) != '"') i += code.at(i) == '\\' ? 2 : 1;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')' && --depth == 0) {
            return code.mid(open + 1, i - open - 1);
        }
    }
    return code.mid(open + 1);
}

}  // namespace

class CaptionsTest : public QObject {
    Q_OBJECT

  private slots:
    void noLiteralCaptionInTheSources() {
        // Calls that put a text before a person's eyes.
        static const QRegularExpression call(QStringLiteral(
            "\\b(setText|setWindowTitle|setToolTip|setStatusTip|setWhatsThis|setTitle|"
            "setPlaceholderText|setLabelText|setCancelButtonText|setTabText|addTab|addAction|"
            "addMenu|setHeaderLabels|setHorizontalHeaderLabels|showMessage|message|confirm|"
            "critical|warning|information|question|saveFileName|saveFileNameAsking|"
            "existingFolder|QLabel|QPushButton|QCheckBox|QRadioButton|QGroupBox|QAction|"
            "QMessageBox|QProgressDialog|ToolPanel|ReadingPanel|makeButton|makeCheckBox|"
            "button|label)\\s*\\("));
        static const QRegularExpression literal(QStringLiteral("\"((?:[^\"\\\\]|\\\\.)*)\""));
        QStringList found;
        int files = 0;
        QDirIterator it(QStringLiteral(ZERLANT_SOURCE_DIR "/src/gui"), {"*.cpp", "*.hpp"},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QString code = withoutComments(QString::fromUtf8(f.readAll()));
            ++files;
            for (auto m = call.globalMatch(code); m.hasNext();) {
                const auto hit = m.next();
                const QString args = arguments(code, hit.capturedEnd() - 1);
                for (auto l = literal.globalMatch(args); l.hasNext();) {
                    const QString text = l.next().captured(1);
                    if (looksLikeText(text) && !allowed(text))
                        found << QDir(ZERLANT_SOURCE_DIR).relativeFilePath(path) + ": \"" + text +
                                     "\" in " + hit.captured(1);
                }
            }
        }
        QVERIFY(files > 20);
        QVERIFY2(found.isEmpty(), qPrintable(found.join('\n')));
    }
};

QTEST_MAIN(CaptionsTest)
#include "captions_test.moc"
