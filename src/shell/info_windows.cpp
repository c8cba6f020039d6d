// The licence window and the About / e-mail window.

#include "tolvik/shell/info_windows.h"

#include "tolvik/shell/main_window.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/services.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace tolvik::shell {

namespace {

// frmDiverses client area 6030 x 1890 twips.
constexpr int kDiversesWidthPx = 6030 / 15;
constexpr int kDiversesHeightPx = 1890 / 15;

const char* const kLicenceNotice =
    "Tolvik 4.0 - a design aid for inductors and transformers on ferrite cores.\n"
    "Copyright (C) the Tolvik authors.\n\n"
    "This program is free software: you can redistribute it and/or modify it under the terms of the "
    "GNU General Public License as published by the Free Software Foundation, either version 3 of the "
    "License, or (at your option) any later version.\n\n"
    "Warranty: THERE IS NO WARRANTY FOR THE PROGRAM, TO THE EXTENT PERMITTED BY APPLICABLE LAW. The "
    "program and its sample data are provided \"as is\" without warranty of any kind, either expressed "
    "or implied, including, but not limited to, the implied warranties of merchantability and fitness "
    "for a particular purpose. The entire risk as to the quality and performance of the program is with "
    "you (section 15 of the licence).\n\n"
    "Liability: in no event unless required by applicable law or agreed to in writing will any copyright "
    "holder, or any other party who modifies and/or conveys the program as permitted by the licence, be "
    "liable to you for damages, including any general, special, incidental or consequential damages "
    "arising out of the use or inability to use the program (section 16 of the licence).\n\n"
    "The sample data file is synthetic: its values come from physical models, not from measurements "
    "of real materials. Do not use them for a real design; check every result against the data "
    "sheets of your material and core.\n\n"
    "Tolvik is built on Qt and Qt Charts, used under the GNU General Public License version 3.\n\n"
    "The full text of the licence follows.\n\n";

QString LicenceText() {
    QString text = QString::fromUtf8(kLicenceNotice);
    QFile file(QStringLiteral(":/licence/COPYING"));
    if (file.open(QIODevice::ReadOnly)) text += QString::fromUtf8(file.readAll());
    return text;
}

template <typename W> W* FindWindow(const char* name) {
    const auto tops = QApplication::topLevelWidgets();
    for (QWidget* w : tops) {
        if (auto* found = qobject_cast<W*>(w); found && w->objectName() == QLatin1String(name)) return found;
    }
    return nullptr;
}

frmDiverses* Diverses(const AppContext& app) {
    if (auto* w = FindWindow<frmDiverses>("frmDiverses")) return w;
    return new frmDiverses(AboutTextFor(app));
}

} // namespace

Haftung::Haftung(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Haftung"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Licence"));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setPixmap(style()->standardIcon(QStyle::SP_FileDialogInfoView).pixmap(32, 32));
    auto* heading = new QLabel(QStringLiteral("Licence agreement of Tolvik 4.0"), this);
    heading->setObjectName(QStringLiteral("Text1"));
    QFont serif(QStringLiteral("Times New Roman"));
    serif.setStyleHint(QFont::Serif);
    serif.setPointSize(14);
    serif.setBold(true);
    heading->setFont(serif);
    auto* text = new QPlainTextEdit(LicenceText(), this);
    text->setObjectName(QStringLiteral("Text2"));
    text->setReadOnly(true);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);

    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addWidget(heading, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(text, 1);
    layout->addLayout(bottom);
    resize(620, 480);
}

void Haftung::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!centred_) {
        centred_ = true;
        CenterWindow(this);
    }
}

frmDiverses::frmDiverses(const QString& aboutText, QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmDiverses"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Help"));

    aboutText_ = new QPlainTextEdit(aboutText, this);
    aboutText_->setObjectName(QStringLiteral("AboutText"));
    aboutText_->setReadOnly(true);
    labEmail_ = new QLabel(
        QStringLiteral(
            "You can copy the Email-Address to send us any remarks or registry for database update:"),
        this);
    labEmail_->setObjectName(QStringLiteral("LabEmail"));
    labEmail_->setWordWrap(true);
    txtEmail_ = new QLineEdit(QLatin1String(kSupportAddress), this);
    txtEmail_->setObjectName(QStringLiteral("txtEmail"));
    txtEmail_->setReadOnly(true);
    cmdCopyEmail_ = new QPushButton(QStringLiteral("Copy"), this);
    cmdCopyEmail_->setObjectName(QStringLiteral("cmdCopyEmail"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdExit"));
    ok->setDefault(true);
    connect(cmdCopyEmail_, &QPushButton::clicked, this, [this] { copyEmail(); });
    connect(ok, &QPushButton::clicked, this, &QWidget::close);

    auto* email = new QHBoxLayout;
    email->addWidget(txtEmail_, 1);
    email->addWidget(cmdCopyEmail_);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(aboutText_, 1);
    layout->addWidget(labEmail_);
    layout->addLayout(email);
    layout->addLayout(bottom);
    for (QWidget* w : {static_cast<QWidget*>(aboutText_), static_cast<QWidget*>(labEmail_),
                       static_cast<QWidget*>(txtEmail_), static_cast<QWidget*>(cmdCopyEmail_)})
        w->hide();
    setMinimumSize(kDiversesWidthPx, kDiversesHeightPx);
    resize(kDiversesWidthPx, kDiversesHeightPx);
}

void frmDiverses::setTagWithAbout() {
    tag_ = QStringLiteral("About");
}

void frmDiverses::setTagWithEmail() {
    tag_ = QStringLiteral("Email");
}

void frmDiverses::ShowDiverses() {
    if (tag_ == QLatin1String("About")) {
        aboutText_->show();
        setWindowTitle(QStringLiteral("About"));
        resize(std::max(width(), 460), std::max(height(), 300));
        CenterWindow(this);
    } else if (tag_ == QLatin1String("Email")) {
        labEmail_->show();
        txtEmail_->show();
        cmdCopyEmail_->show();
    }
    show();
    raise();
    activateWindow();
}

void frmDiverses::copyEmail() {
    ui::Clipboard().clear();
    ui::Clipboard().setText(txtEmail_->text());
}

QString AboutTextFor(const AppContext& app) {
    const QString version = QString::fromStdString(app.versionText);
    return QStringLiteral("Tolvik %1\n"
                          "A design aid for inductors and transformers on ferrite cores.\n\n"
                          "Written by the Tolvik authors, published by the Tolvik project.\n"
                          "Free software under the GNU General Public License, version 3 or later; "
                          "built on Qt and Qt Charts.\n\n"
                          "Data file in use:\n%2")
        .arg(version, QDir::toNativeSeparators(
                          QFileInfo(QString::fromStdString(app.databasePath)).absoluteFilePath()));
}

Haftung* ShowLicence() {
    Haftung* w = FindWindow<Haftung>("Haftung");
    if (!w) w = new Haftung;
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

frmDiverses* ShowAbout(const AppContext& app) {
    frmDiverses* w = Diverses(app);
    w->setTagWithAbout();
    w->ShowDiverses();
    return w;
}

frmDiverses* ShowEmailAddress(const AppContext& app) {
    frmDiverses* w = Diverses(app);
    w->setTagWithEmail();
    w->ShowDiverses();
    return w;
}

} // namespace tolvik::shell
