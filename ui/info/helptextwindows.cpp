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
constexpr int kGap = 8;                      // between memo and button, and below it
constexpr int kHeadingH = 26;                // heading label of 17 px text
}  // namespace

QString memoText(const QString& tableText) {
    QString s = tableText;
    s.replace("\r\n", "\n");
    s.replace('\r', '\n');
    return s;
}

HelpTextWindow::HelpTextWindow(const char* className, const TextPair& caption,
                                 const TextPair& text, const Design& design, QWidget* parent)
    : QDialog(parent), m_caption(caption), m_text(text), m_design(design) {
    setObjectName(QString::fromLatin1(className));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    m_f = controlFactor(currentSkalierung());

    if (design.heading) {
        m_heading = new QLabel(this);
        m_heading->setObjectName("Label1");
        m_heading->setFont(arialPx(17, m_f, true));
        QPalette pal = m_heading->palette();
        pal.setColor(QPalette::WindowText, QColor(0, 0, 128));  // navy
        m_heading->setPalette(pal);
    }

    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName("Memo1");
    m_memo->setReadOnly(true);
    m_memo->setFrameShape(QFrame::NoFrame);
    m_memo->setFont(arialPx(11, m_f));
    m_memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Without a scroll bar the window grows to its text when shown; only a
    // text taller than the desktop gets a scroll bar after all.
    m_memo->setVerticalScrollBarPolicy(design.scrollBar ? Qt::ScrollBarAlwaysOn
                                                        : Qt::ScrollBarAsNeeded);
    {
        // The memo lies on the light highlight colour of button faces.
        QPalette pal = m_memo->palette();
        const QColor light = palette().color(QPalette::Light);
        pal.setColor(QPalette::Base, light);
        pal.setColor(QPalette::Window, light);
        m_memo->setPalette(pal);
    }

    m_ok = new QPushButton("OK", this);
    m_ok->setObjectName("Button1");
    m_ok->setFont(arialPx(11, m_f));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    // The client grows with the screen; never beyond the available desktop.
    QSize client = screenScaledClient(design.baseClient, screenSize());
    client = fitClient(client, typicalFrameExtra(), availableArea().size());
    if (design.fixedBorder) setFixedSize(client);
    else resize(client);
    layoutControls();
    Labelsprache();
    centreOnDesktop(this);
}

void HelpTextWindow::Labelsprache() {
    setWindowTitle(T(m_caption));
    if (m_heading) m_heading->setText(T(*m_design.heading));
    m_memo->setPlainText(memoText(T(m_text)));
}

void HelpTextWindow::layoutControls() {
    const int w = width(), h = height();
    const int b = sc(m_design.border, m_f);
    const int gap = sc(kGap, m_f);
    const int bw = sc(kButtonW, m_f), bh = sc(kButtonH, m_f);
    int top = b;
    if (m_heading) {
        const int hh = sc(kHeadingH, m_f);
        m_heading->setGeometry(b, b, std::max(1, w - 2 * b), hh);
        top += hh;
    }
    const int buttonTop = h - gap - bh;
    m_ok->setGeometry((w - bw) / 2, buttonTop, bw, bh);
    m_memo->setGeometry(b, top, std::max(1, w - 2 * b), std::max(1, buttonTop - gap - top));
}

void HelpTextWindow::fitHeightToText() {
    // Lay the text out at the memo's full width the way the memo does and
    // grow the window by what is missing, never beyond the available desktop;
    // only a text that still does not fit then gets a scroll bar.
    const int frame = 2 * m_memo->frameWidth();
    QTextDocument probe;
    probe.setDefaultFont(m_memo->font());
    probe.setDocumentMargin(m_memo->document()->documentMargin());
    probe.setPlainText(m_memo->toPlainText());
    probe.setTextWidth(m_memo->width() - frame);
    const int needed = int(std::ceil(probe.size().height())) + 2;
    const int missing = needed - (m_memo->height() - frame);
    if (missing > 0) {
        const int maxClient = availableArea().height() - typicalFrameExtra().height();
        const int h = std::min(height() + missing, maxClient);
        if (h > height()) {
            if (m_design.fixedBorder) setFixedSize(width(), h);
            else resize(width(), h);
            layoutControls();
        }
    }
    const bool fits = needed <= m_memo->height() - frame;
    m_memo->setVerticalScrollBarPolicy(fits ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
}

void HelpTextWindow::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    layoutControls();
}

void HelpTextWindow::showEvent(QShowEvent* e) {
    // Every showing takes the current language, and the text starts at its
    // beginning with a fresh scroll bar.
    Labelsprache();
    if (m_design.scrollBar) {
        m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    }
    else {
        fitHeightToText();
    }
    m_memo->moveCursor(QTextCursor::Start);
    m_memo->verticalScrollBar()->setValue(0);
    m_ok->setFocus();
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
