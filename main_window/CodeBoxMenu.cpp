#include "main_window/CodeBoxMenu.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSettings>

#include <memory>

using quillon::model::CodeForm;
using quillon::model::Dialect;

namespace {

// The chosen form is kept between runs in the user's settings.
const QString kFormSetting = QStringLiteral("codeBox/form");

void storeForm(QSettings &settings, CodeForm form)
{
    settings.setValue(kFormSetting, int(form));
}

CodeForm storedForm(const QSettings &settings)
{
    const int stored = settings.value(kFormSetting, int(CodeForm::Statement)).toInt();
    return stored >= int(CodeForm::Statement) && stored <= int(CodeForm::TextVariable)
        ? CodeForm(stored)
        : CodeForm::Statement;
}

// Likewise the dialect.
const QString kDialectSetting = QStringLiteral("codeBox/dialect");

Dialect storedDialect(const QSettings &settings)
{
    const int stored = settings.value(kDialectSetting, int(Dialect::Vb6)).toInt();
    return stored >= int(Dialect::Vb6) && stored <= int(Dialect::TwinBasic) ? Dialect(stored)
                                                                            : Dialect::Vb6;
}

} // namespace

CodeBoxMenu::CodeBoxMenu(QPlainTextEdit &txtFormatiert, QSettings &settings)
    : QObject(&txtFormatiert)
    , txtFormatiert(txtFormatiert)
    , settings(settings)
    , takeOver(new QAction(QStringLiteral("VB-Code übernehmen"), this))
    , takeOverFixed(new QAction(QStringLiteral("VB-Code mit festen Werten übernehmen"), this))
{
    takeOver->setObjectName(QStringLiteral("mnuVbCodeÜbernehmen"));
    connect(takeOver, &QAction::triggered, this,
        [this] { emit takeOverRequested(quillon::frontend::VbReading::KeepExpressions); });
    takeOverFixed->setObjectName(QStringLiteral("mnuVbCodeMitFestenWerten"));
    takeOverFixed->setToolTip(QStringLiteral(
        "Variablen und Konstanten, denen der Code vorher festen Text gibt, werden durch "
        "diesen Text ersetzt."));
    connect(takeOverFixed, &QAction::triggered, this,
        [this] { emit takeOverRequested(quillon::frontend::VbReading::FixedValues); });

    addFormAction(
        CodeForm::Statement, QStringLiteral("Anweisung"), QStringLiteral("mnuFormStatement"));
    addFormAction(
        CodeForm::Answer, QStringLiteral("Antwort in Variable"), QStringLiteral("mnuFormAnswer"));
    addFormAction(
        CodeForm::If, QStringLiteral("If ... Then ... Else"), QStringLiteral("mnuFormIf"));
    addFormAction(CodeForm::Select, QStringLiteral("Select Case"), QStringLiteral("mnuFormSelect"));
    addFormAction(CodeForm::TextVariable, QStringLiteral("Text in Variable"),
        QStringLiteral("mnuFormTextVariable"));
    checkForm(storedForm(settings));
    addDialectAction(Dialect::Vb6, QStringLiteral("mnuDialectVb6"));
    addDialectAction(Dialect::VbScript, QStringLiteral("mnuDialectVbScript"));
    addDialectAction(Dialect::VbNet, QStringLiteral("mnuDialectVbNet"));
    addDialectAction(Dialect::TwinBasic, QStringLiteral("mnuDialectTwinBasic"));
    checkDialect(storedDialect(settings));

    txtFormatiert.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&txtFormatiert, &QWidget::customContextMenuRequested, this, &CodeBoxMenu::showAt);
}

void CodeBoxMenu::addFormAction(CodeForm form, const QString &text, const QString &name)
{
    QAction *action = forms.addAction(text);
    action->setObjectName(name);
    action->setCheckable(true);
    action->setData(static_cast<int>(form));
    connect(action, &QAction::triggered, this, [this, form] {
        storeForm(settings, form);
        emit formChanged();
    });
}

CodeForm CodeBoxMenu::form() const
{
    return static_cast<CodeForm>(forms.checkedAction()->data().toInt());
}

void CodeBoxMenu::checkForm(CodeForm form)
{
    for (QAction *action : forms.actions())
        action->setChecked(action->data().toInt() == static_cast<int>(form));
}

void CodeBoxMenu::setIfFormAvailable(bool available)
{
    for (QAction *action : forms.actions()) {
        if (action->data().toInt() == static_cast<int>(CodeForm::If))
            action->setEnabled(available);
    }
}

void CodeBoxMenu::addDialectAction(Dialect dialect, const QString &name)
{
    QAction *action = dialects.addAction(quillon::model::dialectTitle(dialect));
    action->setObjectName(name);
    action->setCheckable(true);
    action->setData(static_cast<int>(dialect));
    connect(action, &QAction::triggered, this, [this, dialect] {
        settings.setValue(kDialectSetting, int(dialect));
        emit dialectChanged();
    });
}

Dialect CodeBoxMenu::dialect() const
{
    return static_cast<Dialect>(dialects.checkedAction()->data().toInt());
}

void CodeBoxMenu::setDialect(Dialect dialect)
{
    checkDialect(dialect);
    settings.setValue(kDialectSetting, int(dialect));
    emit dialectChanged();
}

void CodeBoxMenu::checkDialect(Dialect dialect)
{
    for (QAction *action : dialects.actions())
        action->setChecked(action->data().toInt() == static_cast<int>(dialect));
}

void CodeBoxMenu::showAt(const QPoint &position)
{
    const std::unique_ptr<QMenu> menu(txtFormatiert.createStandardContextMenu(position));
    menu->addSeparator();
    menu->addAction(takeOver);
    menu->addAction(takeOverFixed);
    menu->setToolTipsVisible(true);
    QMenu *formMenu = menu->addMenu(QStringLiteral("Code-Form"));
    formMenu->addActions(forms.actions());
    QMenu *dialectMenu = menu->addMenu(QStringLiteral("Dialekt"));
    dialectMenu->addActions(dialects.actions());
    menu->exec(txtFormatiert.viewport()->mapToGlobal(position));
}
