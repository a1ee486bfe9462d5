#include "ui/info/helptextwindows.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QTextCursor>
#include <QTextDocument>
#include <cmath>

#include "ui/info/infoscaling.h"

namespace korvane::ui {

using texts::T;
using texts::TextPair;

namespace {
constexpr int kButtonW = 61, kButtonH = 20;  // the small OK button
constexpr int kGap = 8;                      // between text and button, and below it
constexpr int kHeadingH = 26;                // heading label of 17 px text
}  // namespace

QString normalisedLineBreaks(const QString& tableText) {
    QString s = tableText;
    s.replace("\r\n", "\n");
    s.replace('\r', '\n');
    return s;
}

HelpTextWindow::HelpTextWindow(const char* windowName, const TextPair& caption,
                               const TextPair& text, const Design& design, QWidget* parent)
    : QDialog(parent), caption_(caption), text_(text), design_(design) {
    setObjectName(QString::fromLatin1(windowName));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    factor_ = controlFactor(currentScreenScale());

    if (design.heading) {
        headingLabel_ = new QLabel(this);
        headingLabel_->setObjectName("headingLabel");
        headingLabel_->setFont(arialPx(17, factor_, true));
        QPalette pal = headingLabel_->palette();
        pal.setColor(QPalette::WindowText, QColor(0, 0, 128));  // navy
        headingLabel_->setPalette(pal);
    }

    textView_ = new QPlainTextEdit(this);
    textView_->setObjectName("textView");
    textView_->setReadOnly(true);
    textView_->setFrameShape(QFrame::NoFrame);
    textView_->setFont(arialPx(11, factor_));
    textView_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    textView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Without a scroll bar the window grows to its text when shown; only a
    // text taller than the desktop gets a scroll bar after all.
    textView_->setVerticalScrollBarPolicy(design.scrollBar ? Qt::ScrollBarAlwaysOn
                                                            : Qt::ScrollBarAsNeeded);
    {
        // The text lies on the light highlight colour of button faces.
        QPalette pal = textView_->palette();
        const QColor light = palette().color(QPalette::Light);
        pal.setColor(QPalette::Base, light);
        pal.setColor(QPalette::Window, light);
        textView_->setPalette(pal);
    }

    okButton_ = new QPushButton("OK", this);
    okButton_->setObjectName("okButton");
    okButton_->setFont(arialPx(11, factor_));
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    // The client grows with the screen; never beyond the available desktop.
    QSize client = screenScaledClient(design.baseClient, screenSize());
    client = fitClient(client, typicalFrameExtra(), availableArea().size());
    if (design.fixedSize) setFixedSize(client);
    else resize(client);
    layoutControls();
    retranslate();
    centreOnDesktop(this);
}

void HelpTextWindow::retranslate() {
    setWindowTitle(T(caption_));
    if (headingLabel_) headingLabel_->setText(T(*design_.heading));
    textView_->setPlainText(normalisedLineBreaks(T(text_)));
}

void HelpTextWindow::layoutControls() {
    const int w = width(), h = height();
    const int margin = scaled(design_.margin, factor_);
    const int gap = scaled(kGap, factor_);
    const int buttonW = scaled(kButtonW, factor_), buttonH = scaled(kButtonH, factor_);
    int top = margin;
    if (headingLabel_) {
        const int headingH = scaled(kHeadingH, factor_);
        headingLabel_->setGeometry(margin, margin, std::max(1, w - 2 * margin), headingH);
        top += headingH;
    }
    const int buttonTop = h - gap - buttonH;
    okButton_->setGeometry((w - buttonW) / 2, buttonTop, buttonW, buttonH);
    textView_->setGeometry(margin, top, std::max(1, w - 2 * margin),
                            std::max(1, buttonTop - gap - top));
}

void HelpTextWindow::fitHeightToText() {
    // Lay the text out at the view's full width the way the view does and
    // grow the window by what is missing, never beyond the available desktop;
    // only a text that still does not fit then gets a scroll bar.
    const int frame = 2 * textView_->frameWidth();
    QTextDocument probe;
    probe.setDefaultFont(textView_->font());
    probe.setDocumentMargin(textView_->document()->documentMargin());
    probe.setPlainText(textView_->toPlainText());
    probe.setTextWidth(textView_->width() - frame);
    const int needed = int(std::ceil(probe.size().height())) + 2;
    const int missing = needed - (textView_->height() - frame);
    if (missing > 0) {
        const int maxClient = availableArea().height() - typicalFrameExtra().height();
        const int h = std::min(height() + missing, maxClient);
        if (h > height()) {
            if (design_.fixedSize) setFixedSize(width(), h);
            else resize(width(), h);
            layoutControls();
        }
    }
    const bool fits = needed <= textView_->height() - frame;
    textView_->setVerticalScrollBarPolicy(fits ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
}

void HelpTextWindow::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    layoutControls();
}

void HelpTextWindow::showEvent(QShowEvent* e) {
    // Every showing takes the current language, and the text starts at its
    // beginning with a fresh scroll bar.
    retranslate();
    if (design_.scrollBar) {
        textView_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        textView_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    }
    else {
        fitHeightToText();
    }
    textView_->moveCursor(QTextCursor::Start);
    textView_->verticalScrollBar()->setValue(0);
    okButton_->setFocus();
    if (!e->spontaneous()) centreOnDesktop(this);
    QDialog::showEvent(e);
}

WhatItCalculatesWindow::WhatItCalculatesWindow(QWidget* parent)
    : HelpTextWindow("WhatItCalculatesWindow", texts::help::whatItCalculatesCaption,
                     texts::help::whatItCalculatesText, {{489, 324}, 12, true, false, nullptr},
                     parent) {}

DataInputOutputWindow::DataInputOutputWindow(QWidget* parent)
    : HelpTextWindow("DataInputOutputWindow", texts::help::dataInputOutputCaption,
                     texts::help::dataInputOutputText, {{489, 329}, 12, true, false, nullptr},
                     parent) {}

BulkSolidDefaultsWindow::BulkSolidDefaultsWindow(QWidget* parent)
    : HelpTextWindow("BulkSolidDefaultsWindow", texts::help::bulkSolidDefaultsCaption,
                     texts::help::bulkSolidDefaultsText, {{547, 324}, 12, true, false, nullptr},
                     parent) {}

SiloDefaultsWindow::SiloDefaultsWindow(QWidget* parent)
    : HelpTextWindow("SiloDefaultsWindow", texts::help::siloDefaultsCaption,
                     texts::help::siloDefaultsText, {{465, 321}, 12, true, false, nullptr},
                     parent) {}

CalculationMethodsWindow::CalculationMethodsWindow(QWidget* parent)
    : HelpTextWindow("CalculationMethodsWindow", texts::help::calculationMethodsCaption,
                     texts::help::calculationMethodsText, {{547, 324}, 20, true, false, nullptr},
                     parent) {}

FlowPropertiesWindow::FlowPropertiesWindow(QWidget* parent)
    : HelpTextWindow("FlowPropertiesWindow", texts::help::flowPropertiesCaption,
                     texts::help::flowPropertiesText,
                     {{463, 343}, 20, false, true, &texts::help::flowPropertiesHeading}, parent) {}

}  // namespace korvane::ui
