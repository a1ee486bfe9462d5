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

using tkonst::T;
using tkonst::TextPair;
using tkonst::sprache;

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
    : QDialog(parent), m_caption(caption), m_text(text), m_design(design) {
    setObjectName(QString::fromLatin1(windowName));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    m_factor = controlFactor(currentScreenScale());

    if (design.heading) {
        m_headingLabel = new QLabel(this);
        m_headingLabel->setObjectName("headingLabel");
        m_headingLabel->setFont(arialPx(17, m_factor, true));
        QPalette pal = m_headingLabel->palette();
        pal.setColor(QPalette::WindowText, QColor(0, 0, 128));  // navy
        m_headingLabel->setPalette(pal);
    }

    m_textView = new QPlainTextEdit(this);
    m_textView->setObjectName("textView");
    m_textView->setReadOnly(true);
    m_textView->setFrameShape(QFrame::NoFrame);
    m_textView->setFont(arialPx(11, m_factor));
    m_textView->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_textView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Without a scroll bar the window grows to its text when shown; only a
    // text taller than the desktop gets a scroll bar after all.
    m_textView->setVerticalScrollBarPolicy(design.scrollBar ? Qt::ScrollBarAlwaysOn
                                                            : Qt::ScrollBarAsNeeded);
    {
        // The text lies on the light highlight colour of button faces.
        QPalette pal = m_textView->palette();
        const QColor light = palette().color(QPalette::Light);
        pal.setColor(QPalette::Base, light);
        pal.setColor(QPalette::Window, light);
        m_textView->setPalette(pal);
    }

    m_okButton = new QPushButton("OK", this);
    m_okButton->setObjectName("okButton");
    m_okButton->setFont(arialPx(11, m_factor));
    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);

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
    setWindowTitle(T(m_caption));
    if (m_headingLabel) m_headingLabel->setText(T(*m_design.heading));
    m_textView->setPlainText(normalisedLineBreaks(T(m_text)));
}

void HelpTextWindow::layoutControls() {
    const int w = width(), h = height();
    const int margin = scaled(m_design.margin, m_factor);
    const int gap = scaled(kGap, m_factor);
    const int buttonW = scaled(kButtonW, m_factor), buttonH = scaled(kButtonH, m_factor);
    int top = margin;
    if (m_headingLabel) {
        const int headingH = scaled(kHeadingH, m_factor);
        m_headingLabel->setGeometry(margin, margin, std::max(1, w - 2 * margin), headingH);
        top += headingH;
    }
    const int buttonTop = h - gap - buttonH;
    m_okButton->setGeometry((w - buttonW) / 2, buttonTop, buttonW, buttonH);
    m_textView->setGeometry(margin, top, std::max(1, w - 2 * margin),
                            std::max(1, buttonTop - gap - top));
}

void HelpTextWindow::fitHeightToText() {
    // Lay the text out at the view's full width the way the view does and
    // grow the window by what is missing, never beyond the available desktop;
    // only a text that still does not fit then gets a scroll bar.
    const int frame = 2 * m_textView->frameWidth();
    QTextDocument probe;
    probe.setDefaultFont(m_textView->font());
    probe.setDocumentMargin(m_textView->document()->documentMargin());
    probe.setPlainText(m_textView->toPlainText());
    probe.setTextWidth(m_textView->width() - frame);
    const int needed = int(std::ceil(probe.size().height())) + 2;
    const int missing = needed - (m_textView->height() - frame);
    if (missing > 0) {
        const int maxClient = availableArea().height() - typicalFrameExtra().height();
        const int h = std::min(height() + missing, maxClient);
        if (h > height()) {
            if (m_design.fixedSize) setFixedSize(width(), h);
            else resize(width(), h);
            layoutControls();
        }
    }
    const bool fits = needed <= m_textView->height() - frame;
    m_textView->setVerticalScrollBarPolicy(fits ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
}

void HelpTextWindow::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    layoutControls();
}

void HelpTextWindow::showEvent(QShowEvent* e) {
    // Every showing takes the current language, and the text starts at its
    // beginning with a fresh scroll bar.
    retranslate();
    if (m_design.scrollBar) {
        m_textView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_textView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    }
    else {
        fitHeightToText();
    }
    m_textView->moveCursor(QTextCursor::Start);
    m_textView->verticalScrollBar()->setValue(0);
    m_okButton->setFocus();
    if (!e->spontaneous()) centreOnDesktop(this);
    QDialog::showEvent(e);
}

WhatItCalculatesWindow::WhatItCalculatesWindow(QWidget* parent)
    : HelpTextWindow("WhatItCalculatesWindow", tkonst::WasberechnetwirdCaption, tkonst::WasberechnetwirdText,
                     {{489, 324}, 12, true, false, nullptr}, parent) {}

DataInputOutputWindow::DataInputOutputWindow(QWidget* parent)
    : HelpTextWindow("DataInputOutputWindow", tkonst::DateneinausCaption, tkonst::DateneinausText,
                     {{489, 329}, 12, true, false, nullptr}, parent) {}

BulkSolidDefaultsWindow::BulkSolidDefaultsWindow(QWidget* parent)
    : HelpTextWindow("BulkSolidDefaultsWindow", tkonst::VorgabewerteinfoCaption, tkonst::VorgabewerteinfoText,
                     {{547, 324}, 12, true, false, nullptr}, parent) {}

SiloDefaultsWindow::SiloDefaultsWindow(QWidget* parent)
    : HelpTextWindow("SiloDefaultsWindow", tkonst::VorgabeSiloInfoCaption, tkonst::VorgabeSiloInfoText,
                     {{465, 321}, 12, true, false, nullptr}, parent) {}

CalculationMethodsWindow::CalculationMethodsWindow(QWidget* parent)
    : HelpTextWindow("CalculationMethodsWindow", tkonst::BerechnungsmethodenCaption,
                     tkonst::BerechnungsmethodenText, {{547, 324}, 20, true, false, nullptr}, parent) {}

FlowPropertiesWindow::FlowPropertiesWindow(QWidget* parent)
    : HelpTextWindow("FlowPropertiesWindow", tkonst::SGEigenschaftenCaption, tkonst::SGEigenschaftenText,
                     {{463, 343}, 20, false, true, &tkonst::SGEigenschaftenLabel}, parent) {}

}  // namespace korvane::ui
