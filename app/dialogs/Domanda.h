// The question dialog of DOMANDA: the question and the two answers Si and No.
#pragma once
#include <QDialog>
#include <string>

class QPlainTextEdit;
class QPushButton;

namespace qx {

class TdlgDomanda : public QDialog {
 public:
  explicit TdlgDomanda(QWidget* parent = nullptr);

  QPlainTextEdit* Memo1;  // the question, without a border
  QPushButton* Button1;   // "&Si": the toolkit's Yes (6)
  QPushButton* Button2;   // "&No": No (7)

  // Shows the question under the caption; answers the modal result (6 Yes, 7 No, 0 when
  // the window was closed without an answer).
  int Apri(const std::string& caption, const std::string& domanda);
};

}  // namespace qx
