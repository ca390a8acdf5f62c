#include "app/dialogs/EditArchivio.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <vector>

#include "controls/ZfMessageBox.h"
#include "runstate/DatiGlob.h"

namespace qx {

namespace {

void Errore(const std::string& testo) { ZfMessageBox(QString::fromStdString(testo), 0, MsgButtons({mbOK})); }
void Avviso(const std::string& testo) { ZfMessageBox(QString::fromStdString(testo), 2, MsgButtons({mbOK})); }

// The grid, which says whether a cell is being edited and how wide a column must be to show
// a text whole.
class TDBGrid : public QTableView {
 public:
  using QTableView::QTableView;
  bool InModifica() const { return state() == EditingState; }
  // The text in the cells' font between the cells' margins, and the grid line.
  int LarghezzaPer(const QString& testo) const {
    QStyleOptionViewItem o;
    initViewItemOption(&o);
    o.features |= QStyleOptionViewItem::HasDisplay;
    o.text = testo;
    return style()->sizeFromContents(QStyle::CT_ItemViewItem, &o, QSize(), this).width() + (showGrid() ? 1 : 0);
  }
  // The widest of the column's name and of its values.
  int LarghezzaTesti(int colonna) const {
    return std::max(sizeHintForColumn(colonna), horizontalHeader()->sectionSizeHint(colonna));
  }
};

// What a field may hold at its widest, as the grid shows it: as many capitals as a text
// field's width, as many digits as a number's, a date as dd/mm/yyyy, one letter for a
// logical field.
QString CampioneCampo(const dbf::TCampo& c) {
  switch (c.Tipo) {
    case 'C': return QString(c.Larghezza, QLatin1Char('X'));
    case 'D': return QStringLiteral("00/00/0000");
    case 'L': return QStringLiteral("X");
    default: return QString(c.Larghezza, QLatin1Char('0'));
  }
}

bool InModifica(const QTableView* g) { return static_cast<const TDBGrid*>(g)->InModifica(); }

}  // namespace

// The rows of the table in its current order, and after them, while the user is adding a
// record, one empty row that becomes a record at its first value (a row left empty never
// reaches the file). A record whose key changes moves to its place, and the grid's current
// cell and open editor move with it.
class TModelloArchivio : public QAbstractTableModel {
 public:
  explicit TModelloArchivio(dbf::TTabella& t) : t_(t) {}

  // A message for a box, told once the grid has finished with the edit that caused it.
  std::function<void(const std::string&, bool errore)> OnMessaggio;

  bool RigaNuova() const { return nuova_; }
  int RigaDellaNuova() const { return nuova_ ? t_.Righe() : -1; }

  void Ricarica() {
    beginResetModel();
    nuova_ = false;
    endResetModel();
  }
  void AggiungiRigaNuova() {
    if (nuova_) return;
    beginInsertRows({}, t_.Righe(), t_.Righe());
    nuova_ = true;
    endInsertRows();
  }
  void TogliRigaNuova() {
    if (!nuova_) return;
    beginRemoveRows({}, t_.Righe(), t_.Righe());
    nuova_ = false;
    endRemoveRows();
  }

  int rowCount(const QModelIndex& p) const override { return p.isValid() ? 0 : t_.Righe() + (nuova_ ? 1 : 0); }
  int columnCount(const QModelIndex& p) const override {
    return p.isValid() ? 0 : static_cast<int>(t_.Campi().size());
  }

  QVariant data(const QModelIndex& i, int ruolo) const override {
    if (!i.isValid()) return {};
    if (ruolo == Qt::DisplayRole || ruolo == Qt::EditRole)
      return i.row() < t_.Righe() ? QString::fromStdString(t_.Testo(i.row(), i.column())) : QString();
    if (ruolo == Qt::TextAlignmentRole) {
      const char tipo = t_.Campi()[static_cast<std::size_t>(i.column())].Tipo;
      const bool numero = tipo == 'N' || tipo == 'F';
      return QVariant::fromValue(Qt::AlignVCenter | (numero ? Qt::AlignRight : Qt::AlignLeft));
    }
    return {};
  }

  QVariant headerData(int s, Qt::Orientation o, int ruolo) const override {
    if (ruolo != Qt::DisplayRole) return {};
    if (o == Qt::Horizontal)
      return s >= 0 && s < columnCount({}) ? QString::fromStdString(t_.Campi()[static_cast<std::size_t>(s)].Nome)
                                           : QVariant();
    return s == RigaDellaNuova() ? QStringLiteral("*") : QString::number(s + 1);
  }

  Qt::ItemFlags flags(const QModelIndex& i) const override {
    if (!i.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
  }

  bool setData(const QModelIndex& i, const QVariant& valore, int ruolo) override {
    if (!i.isValid() || ruolo != Qt::EditRole) return false;
    const std::string testo = valore.toString().toStdString();
    const int campo = i.column();
    std::string errore, nota;
    if (i.row() == RigaDellaNuova()) {
      if (valore.toString().trimmed().isEmpty()) return false;
      Spostamento s(*this);
      const int riga = t_.Aggiungi(errore);
      if (riga < 0) return Rifiuta(errore);
      const int record = t_.Record(riga);
      if (!t_.Scrivi(riga, campo, testo, errore, &nota)) {
        std::string e2;
        t_.Cancella(t_.RigaDelRecord(record), e2);
        return Rifiuta(errore);
      }
      // The empty row is now this record, wherever the order puts it.
      nuova_ = false;
      s.RecordNuovo = record;
      return Accetta(nota);
    }
    if (testo == t_.Testo(i.row(), campo)) return true;  // nothing changed: nothing written
    if (campo == t_.CampoOrdine()) {
      Spostamento s(*this);
      if (!t_.Scrivi(i.row(), campo, testo, errore, &nota)) return Rifiuta(errore);
      return Accetta(nota);
    }
    if (!t_.Scrivi(i.row(), campo, testo, errore, &nota)) return Rifiuta(errore);
    emit dataChanged(i, i);
    return Accetta(nota);
  }

 private:
  // A change that may move rows: the grid's cells (current, selected, being edited) follow
  // their records to their new rows.
  struct Spostamento {
    explicit Spostamento(TModelloArchivio& m) : m_(m) {
      emit m_.layoutAboutToBeChanged();
      prima_ = m_.persistentIndexList();
      for (const QModelIndex& p : prima_) record_.push_back(p.row() < m_.t_.Righe() ? m_.t_.Record(p.row()) : -1);
    }
    ~Spostamento() {
      QModelIndexList dopo;
      for (qsizetype k = 0; k < prima_.size(); ++k) {
        int r = record_[static_cast<std::size_t>(k)];
        if (r < 0) r = RecordNuovo;
        const int riga = r >= 0 ? m_.t_.RigaDelRecord(r) : m_.RigaDellaNuova();
        dopo.push_back(riga >= 0 ? m_.index(riga, prima_[k].column()) : QModelIndex());
      }
      m_.changePersistentIndexList(prima_, dopo);
      emit m_.layoutChanged();
    }
    Spostamento(const Spostamento&) = delete;
    Spostamento& operator=(const Spostamento&) = delete;
    int RecordNuovo = -1;

   private:
    TModelloArchivio& m_;
    QModelIndexList prima_;
    std::vector<int> record_;
  };

  bool Rifiuta(const std::string& errore) {
    if (OnMessaggio) OnMessaggio(errore, true);
    return false;
  }
  bool Accetta(const std::string& nota) {
    if (!nota.empty() && OnMessaggio) OnMessaggio(nota, false);
    return true;
  }

  dbf::TTabella& t_;
  bool nuova_ = false;
};

TdlgEditArchivio::TdlgEditArchivio(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dlgEditArchivio"));
  setWindowTitle(QStringLiteral("Archivio"));
  modello_ = std::make_unique<TModelloArchivio>(Table1);

  DBGrid1 = new TDBGrid(this);
  DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
  DBGrid1->setModel(modello_.get());
  DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  // Typing starts an edit at once: a click on the current cell arms no delayed editor that
  // would swallow the keys typed right after it.
  DBGrid1->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                           QAbstractItemView::EditKeyPressed);
  DBGrid1->verticalHeader()->setDefaultSectionSize(DBGrid1->fontMetrics().height() + 6);
  DBGrid1->installEventFilter(this);

  Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Label1 = new QLabel(QStringLiteral("Ordina per"), Panel1);
  cmbOrdina = new QComboBox(Panel1);
  cmbOrdina->setObjectName(QStringLiteral("cmbOrdina"));
  cmbOrdina->setMinimumContentsLength(12);
  auto* l1 = new QHBoxLayout(Panel1);
  l1->addWidget(Label1);
  l1->addWidget(cmbOrdina);
  l1->addStretch(1);

  Panel2 = new QWidget(this);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Label2 = new QLabel(QStringLiteral("Cerca parola"), Panel2);
  edTrova = new QLineEdit(Panel2);
  edTrova->setObjectName(QStringLiteral("edTrova"));
  Label3 = new QLabel(QStringLiteral("in"), Panel2);
  cmbTrova = new QComboBox(Panel2);
  cmbTrova->setObjectName(QStringLiteral("cmbTrova"));
  cmbTrova->setMinimumContentsLength(12);
  BitBtn2 = new QPushButton(QStringLiteral("Trova"), Panel2);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  BitBtn2->setAutoDefault(false);
  OKBtn = new QPushButton(QStringLiteral("&Chiudi"), Panel2);
  OKBtn->setObjectName(QStringLiteral("OKBtn"));
  OKBtn->setAutoDefault(false);
  auto* l2 = new QHBoxLayout(Panel2);
  l2->addWidget(Label2);
  l2->addWidget(edTrova, 1);
  l2->addWidget(Label3);
  l2->addWidget(cmbTrova);
  l2->addWidget(BitBtn2);
  l2->addStretch(1);
  l2->addWidget(OKBtn);

  auto* colonna = new QVBoxLayout(this);
  colonna->addWidget(Panel1);
  colonna->addWidget(DBGrid1, 1);
  colonna->addWidget(Panel2);
  resize(640, 420);

  // A box opened inside the grid's commit would take the focus from the editor being
  // closed and commit it again: the messages wait until the commit is over.
  modello_->OnMessaggio = [this](const std::string& testo, bool errore) {
    QTimer::singleShot(0, this, [testo, errore] { errore ? Errore(testo) : Avviso(testo); });
  };
  connect(cmbOrdina, &QComboBox::activated, this, [this] { cmbOrdinaClick(); });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  // Leaving the row of a record being added, with nothing typed in it, drops that row.
  connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& ora, const QModelIndex& prima) {
            if (!modello_->RigaNuova() || prima.row() != modello_->RigaDellaNuova() ||
                ora.row() == prima.row())
              return;
            QTimer::singleShot(0, this, [this] {
              if (modello_->RigaNuova() && RigaCorrente() != modello_->RigaDellaNuova()) modello_->TogliRigaNuova();
            });
          });
}

TdlgEditArchivio::~TdlgEditArchivio() {
  // The view lets go of the model before the model goes.
  DBGrid1->setModel(nullptr);
}

void TdlgEditArchivio::Apri(const std::string& caption, const std::string& tabella) {
  setWindowTitle(QString::fromStdString(caption));
  TableName = tabella;
  if (!FormActivate()) return;
  exec();
}

bool TdlgEditArchivio::FormActivate() {
  DatabaseName = DatiGlob.CartellaProgramma + "ARC";
  std::string errore;
  if (!Table1.Apri(dbf::PercorsoTabella(DatabaseName, TableName), errore)) {
    modello_->Ricarica();
    Errore(errore);
    return false;
  }
  cmbOrdina->clear();
  cmbTrova->clear();
  for (const dbf::TCampo& c : Table1.Campi()) {
    cmbOrdina->addItem(QString::fromStdString(c.Nome));
    cmbTrova->addItem(QString::fromStdString(c.Nome));
  }
  cmbOrdina->setCurrentIndex(-1);
  cmbTrova->setCurrentIndex(-1);
  // The word looked for in another table means nothing in this one.
  edTrova->clear();
  Riallinea(Table1.Record(0), 0);
  // An empty table is ready for its first record.
  if (Table1.Righe() == 0 && !Table1.SolaLettura()) {
    modello_->AggiungiRigaNuova();
    DBGrid1->setCurrentIndex(modello_->index(0, 0));
  }
  ApriColonne();
  DBGrid1->setFocus();
  return true;
}

void TdlgEditArchivio::ApriColonne() {
  // A very wide field would push the others out of sight: no column opens wider than half
  // the window (the user can still widen it).
  const int massima = width() / 2;
  auto* griglia = static_cast<TDBGrid*>(DBGrid1);
  for (int c = 0; c < static_cast<int>(Table1.Campi().size()); ++c) {
    const int campo = griglia->LarghezzaPer(CampioneCampo(Table1.Campi()[static_cast<std::size_t>(c)]));
    griglia->setColumnWidth(c, std::min(std::max(campo, griglia->LarghezzaTesti(c)), massima));
  }
}

void TdlgEditArchivio::FormClose() {
  Table1.Chiudi();
  modello_->Ricarica();
}

void TdlgEditArchivio::done(int risultato) {
  // What is being typed in a cell is kept: the editor commits as it loses the focus.
  if (InModifica(DBGrid1))
    if (QWidget* e = QApplication::focusWidget(); e && DBGrid1->isAncestorOf(e)) e->clearFocus();
  FormClose();
  QDialog::done(risultato);
}

void TdlgEditArchivio::OKBtnClick() { accept(); }

int TdlgEditArchivio::RigaCorrente() const { return DBGrid1->currentIndex().isValid() ? DBGrid1->currentIndex().row() : -1; }

int TdlgEditArchivio::CampoCorrente() const {
  return DBGrid1->currentIndex().isValid() ? DBGrid1->currentIndex().column() : -1;
}

void TdlgEditArchivio::Riallinea(int record, int campo) {
  modello_->Ricarica();
  const int riga = record >= 0 ? Table1.RigaDelRecord(record) : -1;
  if (riga < 0 || Table1.Campi().empty()) return;
  const QModelIndex i = modello_->index(riga, std::clamp(campo, 0, static_cast<int>(Table1.Campi().size()) - 1));
  DBGrid1->setCurrentIndex(i);
  DBGrid1->scrollTo(i);
}

void TdlgEditArchivio::cmbOrdinaClick() {
  const int campo = cmbOrdina->currentIndex();
  if (!Table1.Aperta() || campo < 0) return;
  // As a table opened again on a new index: the rows in their new order, from the first.
  Table1.OrdinaPer(campo);
  Riallinea(Table1.Record(0), CampoCorrente());
}

void TdlgEditArchivio::BitBtn2Click() {
  const std::string testo = edTrova->text().toStdString();
  const int campo = cmbTrova->currentIndex();
  if (!Table1.Aperta() || testo.empty() || campo < 0) return;
  const int riga = campo == Table1.CampoOrdine() ? Table1.CercaVicino(testo) : Table1.CercaPrefisso(campo, testo);
  if (riga >= 0) Riallinea(Table1.Record(riga), campo);
}

void TdlgEditArchivio::CancellaRigaCorrente() {
  const int riga = RigaCorrente();
  if (riga < 0) return;
  if (riga == modello_->RigaDellaNuova()) {
    modello_->TogliRigaNuova();
    return;
  }
  if (ZfMessageBox(QStringLiteral("Cancellare il record?"), 1, MsgButtons({mbYes, mbNo})) != IDYES) return;
  std::string errore;
  if (!Table1.Cancella(riga, errore)) {
    Errore(errore);
    return;
  }
  Riallinea(Table1.Record(std::min(riga, Table1.Righe() - 1)), CampoCorrente());
}

bool TdlgEditArchivio::eventFilter(QObject* oggetto, QEvent* evento) {
  if (oggetto != DBGrid1 || evento->type() != QEvent::KeyPress || InModifica(DBGrid1))
    return QDialog::eventFilter(oggetto, evento);
  const auto* k = static_cast<QKeyEvent*>(evento);
  if (!Table1.Aperta()) return false;
  // Down past the last row, or Insert, starts a new record; Ctrl+Delete deletes one.
  const bool inFondo = k->key() == Qt::Key_Down && k->modifiers() == Qt::NoModifier &&
                       RigaCorrente() == modello_->rowCount({}) - 1;
  if ((inFondo || (k->key() == Qt::Key_Insert && k->modifiers() == Qt::NoModifier)) && !Table1.SolaLettura() &&
      !Table1.Campi().empty()) {
    const int campo = std::max(0, CampoCorrente());
    modello_->AggiungiRigaNuova();
    DBGrid1->setCurrentIndex(modello_->index(modello_->RigaDellaNuova(), campo));
    return true;
  }
  if (k->key() == Qt::Key_Delete && k->modifiers() == Qt::ControlModifier) {
    CancellaRigaCorrente();
    return true;
  }
  return false;
}

}  // namespace qx
