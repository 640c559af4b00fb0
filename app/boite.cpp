#include "app/boite.h"

#include <QAbstractButton>
#include <QMessageBox>

#include <utility>

namespace qm {

namespace {

repondeur& repondeurcourant()
{
    static repondeur r;
    return r;
}

QMessageBox::Icon icon(icone i)
{
    switch (i) {
    case icone::question:
        return QMessageBox::Question;
    case icone::information:
        return QMessageBox::Information;
    case icone::exclamation:
        return QMessageBox::Warning;
    case icone::critique:
        break;
    }
    return QMessageBox::Critical;
}

QMessageBox::StandardButtons boutonsqt(boutons b)
{
    switch (b) {
    case boutons::okannuler:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case boutons::ouinon:
        return QMessageBox::Yes | QMessageBox::No;
    case boutons::ok:
        break;
    }
    return QMessageBox::Ok;
}

reponse traduire(int choisi, boutons b)
{
    switch (choisi) {
    case QMessageBox::Ok:
        return reponse::ok;
    case QMessageBox::Yes:
        return reponse::oui;
    case QMessageBox::No:
        return reponse::non;
    default:
        // Closing the box with Escape or its title bar is the safe answer.
        return b == boutons::ouinon ? reponse::non : b == boutons::ok ? reponse::ok : reponse::annuler;
    }
}

} // namespace

void installerrepondeur(repondeur r)
{
    repondeurcourant() = std::move(r);
}

reponse boitemessage(QWidget* parent, const QString& texte, const QString& titre, icone i, boutons b)
{
    // Enter answers No to a Yes/No question (overwriting a file), OK otherwise.
    const reponse defaut = b == boutons::ouinon ? reponse::non : reponse::ok;
    if (const repondeur& r = repondeurcourant())
        return r(questionboite{texte, titre, i, b, defaut});
    QMessageBox boite(icon(i), titre, texte, boutonsqt(b), parent);
    boite.setDefaultButton(defaut == reponse::non ? QMessageBox::No : QMessageBox::Ok);
    // French captions whatever translations the machine has.
    const std::pair<QMessageBox::StandardButton, const char*> captions[] = {{QMessageBox::Ok, "OK"},
                                                                            {QMessageBox::Cancel, "Annuler"},
                                                                            {QMessageBox::Yes, "Oui"},
                                                                            {QMessageBox::No, "Non"}};
    for (const auto& [bouton, caption] : captions)
        if (QAbstractButton* k = boite.button(bouton))
            k->setText(QString::fromUtf8(caption));
    return traduire(boite.exec(), b);
}

reponse boitemessage(QWidget* parent, const message& m)
{
    return boitemessage(parent, QString::fromStdString(m.texte), QString::fromStdString(m.titre));
}

} // namespace qm
