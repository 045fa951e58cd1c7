// Language menu of the main window: marking the running language and choosing
// the language of the next start.

#include <QMessageBox>

#include "settings/language_settings.h"
#include "ui/mapvane2.h"

void Mapvane2::markCurrentLanguage()
{
    // The running language's item is ticked and cannot be chosen again; English is
    // marked whenever the loaded path matches no row exactly.
    languageActions[0]->setEnabled(false);
    languageActions[0]->setCheckable(true);
    languageActions[0]->setChecked(true);
    for (int index = 1; index < 3; ++index) {
        QAction *item = languageActions[index];
        item->setCheckable(false);
        if (languageFile == LanguageFileTable[index]) {
            item->setEnabled(false);
            item->setCheckable(true);
            item->setChecked(true);
            languageActions[0]->setEnabled(true);
            languageActions[0]->setChecked(false);
            languageActions[0]->setCheckable(false);
        }
    }
}

void Mapvane2::LanguageChange(int index)
{
    writeLanguageIni(index);
    QMessageBox::information(this, tr("提示"), tr("请重新运行本程序以使语言切换生效."), QMessageBox::Ok);
}

void Mapvane2::on_action_triggered()
{
    LanguageChange(0);
}

void Mapvane2::on_action_C_triggered()
{
    LanguageChange(1);
}

void Mapvane2::on_action_2_triggered()
{
    LanguageChange(2);
}
