#include "gui/language/printing.hpp"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>

#include "core/language/languagefile.hpp"
#include "gui/app/dialogs.hpp"
#include "gui/app/messages.hpp"

namespace zerlant::gui {

namespace {

constexpr double kTwipsPerInch = 1440.0;
// A PDF page has no unprintable border; it gets the border a desktop printer
// leaves (a quarter inch), so that the printout looks the same either way.
constexpr double kPdfMarginPoints = 18.0;

std::string_view view(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void setUpPdfPrinter(QPrinter& printer, const QString& pdfPath) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    printer.setPageLayout(QPageLayout(
        QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(kPdfMarginPoints, kPdfMarginPoints, kPdfMarginPoints, kPdfMarginPoints),
        QPageLayout::Point));
}

QFont printFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSizeF(10.0);
    return font;
}

PrinterPage::PrinterPage(QPrinter& printer) : printer_(printer), font_(printFont()) {
    // The layout is made for A4, whatever the printer's own paper is.
    printer_.setPageSize(QPageSize(QPageSize::A4));
    if (!painter_.begin(&printer_))
        return;
    painter_.setFont(font_);
    painter_.setPen(Qt::black);
    resolution_ = printer_.resolution() > 0 ? printer_.resolution() : 1200;
}

PrinterPage::~PrinterPage() {
    if (painter_.isActive())
        painter_.end();
}

int PrinterPage::toTwips(double deviceUnits) const {
    return static_cast<int>(std::lround(deviceUnits * kTwipsPerInch / resolution_));
}

double PrinterPage::toDevice(int twips) const {
    return twips * resolution_ / kTwipsPerInch;
}

int PrinterPage::printableWidth() const {
    return toTwips(printer_.pageRect(QPrinter::DevicePixel).width());
}

int PrinterPage::printableHeight() const {
    return toTwips(printer_.pageRect(QPrinter::DevicePixel).height());
}

int PrinterPage::textWidth(std::string_view text) const {
    const QFontMetricsF metrics(font_, &printer_);
    return toTwips(metrics.horizontalAdvance(fromUtf8(text)));
}

int PrinterPage::lineHeight() const {
    const QFontMetricsF metrics(font_, &printer_);
    return toTwips(metrics.lineSpacing());
}

void PrinterPage::drawText(int x, int y, std::string_view text) {
    if (!painter_.isActive())
        return;
    const QFontMetricsF metrics(font_, &printer_);
    painter_.drawText(QPointF(toDevice(x), toDevice(y) + metrics.ascent()), fromUtf8(text));
}

bool PrinterPage::newPage() {
    return painter_.isActive() && printer_.newPage();
}

bool PrinterPage::endDocument() {
    return painter_.isActive() && painter_.end();
}

PrintHeading languagePrintHeading(const MessageLookup& messages, const QDate& today,
                                  const QLocale& locale) {
    auto msg = [&](Msg m) { return messages ? QString::fromStdString(messages(m)) : QString(); };
    return {
        msg(Msg::LanguageFileTitle) + QStringLiteral("  ") + msg(Msg::LanguageFileSubtitle),
        msg(Msg::PrintedOn) + QStringLiteral(" ") + locale.toString(today, QLocale::ShortFormat)};
}

bool printText(QPrinter& printer, const QString& title, const QString& subtitle,
               std::string_view text) {
    PrinterPage page(printer);
    if (!page.ok())
        return false;
    const QByteArray titleBytes = title.toUtf8();
    const QByteArray subtitleBytes = subtitle.toUtf8();
    return PrintText(page, text, view(titleBytes), view(subtitleBytes)).ok();
}

bool printTextToPdf(const QString& pdfPath, const QString& title, const QString& subtitle,
                    std::string_view text) {
    QPrinter printer(QPrinter::HighResolution);
    setUpPdfPrinter(printer, pdfPath);
    printer.setDocName(title);
    return printText(printer, title, subtitle, text);
}

bool printLanguageText(QWidget* parent, const QString& title, const QString& subtitle,
                       const std::string& text, const MessageLookup& messages, Dialogs& dialogs) {
    auto msg = [&](Msg m) { return messages ? QString::fromStdString(messages(m)) : QString(); };

    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(title);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        // No printer here: print to a PDF file instead.
        QString path = dialogs.saveFileNameAsking(
            parent, msg(Msg::Print), QDir::home().filePath("idioma.pdf"),
            QStringLiteral("PDF (*.pdf)"), msg(Msg::Print), msg(Msg::ReplaceQuestion));
        if (path.isEmpty())
            return false;
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".pdf");
        setUpPdfPrinter(printer, path);
    } else {
        QPrintDialog dialog(&printer, parent);
        dialog.setWindowTitle(msg(Msg::Print));
        if (dialog.exec() != QDialog::Accepted)
            return false;
    }

    if (!printText(printer, title, subtitle, text)) {
        dialogs.message(parent, Dialogs::Icon::None, msg(Msg::AppTitle), msg(Msg::PrintingFailed));
        return false;
    }
    return true;
}

bool printLanguageFile(QWidget* parent, const std::string& filePath, const MessageLookup& messages,
                       Dialogs& dialogs) {
    const PrintHeading heading = languagePrintHeading(messages);
    Result<LanguageFile> file = LanguageFile::load(filePath);
    if (!file) {
        const QString title =
            messages ? QString::fromStdString(messages(Msg::AppTitle)) : QString();
        const QString text =
            messages ? QString::fromStdString(messages(Msg::PrintingFailed)) : QString();
        dialogs.message(parent, Dialogs::Icon::None, title, text);
        return false;
    }
    std::string text;
    for (const std::string& line : file->lines()) {
        text += line;
        text += "\r\n";
    }
    return printLanguageText(parent, heading.title, heading.subtitle, text, messages, dialogs);
}

}  // namespace zerlant::gui
