// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/ui/DialogBase.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/ui/vbFormEffects.h"

namespace tolv {
namespace {

constexpr const char* kHookName = "tolvLostFocusHook";

// Control characters other than Backspace are editing or navigation keys, never text.
bool IsEditingKey(QChar c) { return c.unicode() < 0x20 && c.unicode() != 8; }

QString Filtered(const QString& text, KeyAccept accept)
{
    QString kept;
    kept.reserve(text.size());
    for (QChar c : text)
        if (accept(c.unicode())) kept.append(c);
    return kept;
}

class KeyFilterObject : public QObject {
public:
    // Keys are watched where they arrive (an editable combo box gets them before its line edit).
    KeyFilterObject(QWidget* watched, QLineEdit* edit, KeyAccept accept) : QObject(edit), accept_(accept)
    {
        watched->installEventFilter(this);
        // Pasted or dropped text bypasses the key events: strip what typing could not enter.
        connect(edit, &QLineEdit::textEdited, this, [this, edit](const QString& text) {
            QString kept = Filtered(text, accept_);
            if (kept == text) return;
            int cursor = edit->cursorPosition() - static_cast<int>(text.size() - kept.size());
            edit->setText(kept);
            edit->setCursorPosition(std::max(0, cursor));
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
        const QString text = key->text();
        if (text.isEmpty()) return false;
        for (QChar c : text)
            if (!IsEditingKey(c) && !accept_(c.unicode())) return true; // dropped
        return false;
    }

private:
    KeyAccept accept_;
};

class SelectAllObject : public QObject {
public:
    SelectAllObject(QWidget* watched, QLineEdit* edit) : QObject(edit), edit_(edit)
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Deferred, so that the click that gave the focus does not place the cursor afterwards.
        if (event->type() == QEvent::FocusIn) QTimer::singleShot(0, edit_, &QLineEdit::selectAll);
        return QObject::eventFilter(watched, event);
    }

private:
    QLineEdit* edit_;
};

class LostFocusObject : public QObject {
public:
    LostFocusObject(QWidget* widget, std::function<void()> hook) : QObject(widget), hook_(std::move(hook))
    {
        setObjectName(kHookName);
        widget->installEventFilter(this);
    }
    void Run()
    {
        if (hook_) hook_();
    }
    void Disable() { hook_ = nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusOut) {
            auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) Run();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> hook_;
};

LostFocusObject* HookOf(QWidget* widget)
{
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (auto* h = w->findChild<LostFocusObject*>(kHookName, Qt::FindDirectChildrenOnly)) return h;
        if (w->isWindow()) break;
    }
    return nullptr;
}

} // namespace

QString LabelText(const std::string& text)
{
    QString t = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

void InstallKeyFilter(QLineEdit* edit, KeyAccept accept)
{
    if (edit && accept) new KeyFilterObject(edit, edit, accept);
}

void InstallKeyFilter(QComboBox* box, KeyAccept accept)
{
    if (box && box->lineEdit() && accept) new KeyFilterObject(box, box->lineEdit(), accept);
}

void SelectAllOnFocus(QLineEdit* edit)
{
    if (edit) new SelectAllObject(edit, edit);
}

void SelectAllOnFocus(QComboBox* box)
{
    if (box && box->lineEdit()) new SelectAllObject(box, box->lineEdit());
}

void OnLostFocus(QWidget* widget, std::function<void()> hook)
{
    if (widget) new LostFocusObject(widget, std::move(hook));
}

void RunLostFocusHook(QWidget* widget)
{
    if (auto* h = HookOf(widget)) h->Run();
}

TitleBand::TitleBand(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setObjectName("LblTitle");
    setWordWrap(true);
    setMargin(8);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setTextFormat(Qt::PlainText);
}

void TitleBand::paintEvent(QPaintEvent* event)
{
    {
        QPainter p(this);
        // From the button-shadow colour at the left to the button face at the right.
        GradientRect(p, 0, 0, width(), height(), palette().color(QPalette::Mid), palette().color(QPalette::Button));
    }
    QLabel::paintEvent(event);
}

DialogBase::DialogBase(const char* name, const QString& caption, QWidget* parent)
    : QDialog(parent), previous_(Host().CurrentPointer())
{
    Host().SetPointer(Pointer::Busy);
    setObjectName(name);
    setWindowTitle(caption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    outer_ = new QVBoxLayout(this);
    outer_->setSizeConstraint(QLayout::SetFixedSize);
    body_ = new QVBoxLayout;
    outer_->addLayout(body_);
    buttons_ = new QHBoxLayout;
    buttons_->addStretch(1);
    outer_->addLayout(buttons_);
}

DialogBase::~DialogBase()
{
    // The hooks belong to the derived dialog, which is gone by now; the focus leaving the
    // controls while they are destroyed must not reach them.
    for (auto* hook : findChildren<LostFocusObject*>(kHookName)) hook->Disable();
    if (!restored_) Host().SetPointer(previous_);
}

TitleBand* DialogBase::SetTitle(const QString& text)
{
    auto* band = new TitleBand(text, this);
    band->setMinimumWidth(360);
    outer_->insertWidget(0, band);
    return band;
}

void DialogBase::AddOkCancel()
{
    cmdOk_ = new QPushButton(tr("OK"), this);
    cmdOk_->setObjectName("CmdOk");
    cmdOk_->setDefault(true);
    cmdCancel_ = new QPushButton(tr("Cancel"), this);
    cmdCancel_->setObjectName("CmdCancel");
    buttons_->addWidget(cmdOk_);
    buttons_->addWidget(cmdCancel_);
    connect(cmdOk_, &QPushButton::clicked, this, &DialogBase::PressOk);
    // Escape reaches reject() as well: cancelling only closes.
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

QLabel* DialogBase::MakeLabel(const QString& text, QWidget* buddy, const char* name)
{
    auto* label = new QLabel(text);
    if (name) label->setObjectName(name);
    if (buddy) label->setBuddy(buddy);
    return label;
}

QLineEdit* DialogBase::MakeTextBox(const char* name, const QString& tooltip, KeyAccept accept)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setToolTip(tooltip);
    InstallKeyFilter(edit, accept);
    SelectAllOnFocus(edit);
    return edit;
}

QLabel* DialogBase::MakeValueLabel(const char* name)
{
    auto* label = new QLabel(this);
    label->setObjectName(name);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(64);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

void DialogBase::LoadDone() { Host().SetPointer(Pointer::Default); }

void DialogBase::PressOk()
{
    RunLostFocusHook(QApplication::focusWidget());
    if (!cmdOk_ || !cmdOk_->isEnabled()) return;
    if (!WriteResults()) return;
    Confirm();
}

void DialogBase::Confirm()
{
    SetDialogCancelled(false);
    accept();
}

void DialogBase::done(int result)
{
    QDialog::done(result);
    if (!restored_) {
        restored_ = true;
        Host().SetPointer(previous_);
    }
}

void DialogBase::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!faded_) {
        faded_ = true;
        FadeInDialog(this);
    }
}

void DialogBase::keyPressEvent(QKeyEvent* event)
{
    // Enter confirms through PressOk, so the box being edited is checked first.
    if (cmdOk_ && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !(event->modifiers() & ~Qt::KeypadModifier)) {
        PressOk();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace tolv
