#include "app/dialogs/Dm.h"

#include "controls/TraduzioneToolkit.h"

namespace qx {

Tdm::Tdm() : open_(new QFileDialog), save_(new QFileDialog) {
  open_->setObjectName(QStringLiteral("OpenDlg"));
  open_->setOption(QFileDialog::DontUseNativeDialog);
  open_->setAcceptMode(QFileDialog::AcceptOpen);
  open_->setFileMode(QFileDialog::ExistingFile);
  save_->setObjectName(QStringLiteral("SaveDlg"));
  save_->setOption(QFileDialog::DontUseNativeDialog);
  save_->setAcceptMode(QFileDialog::AcceptSave);
  save_->setFileMode(QFileDialog::AnyFile);
  // The matrices' files are listed as the programs' are: sizes, types and dates in Italian.
  AdattaDialogoFile(*open_);
  AdattaDialogoFile(*save_);
}

Tdm::~Tdm() {
  delete open_.data();
  delete save_.data();
}

}  // namespace qx
