#include "widgets/datagrid.h"

#include "data/clientdataset.h"
#include "ui/common/formats.h"
#include "widgets/kolongenislik.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCollator>
#include <QHash>
#include <QHeaderView>
#include <QIcon>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSet>
#include <QSortFilterProxyModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include <cmath>

namespace {

const QColor kSelected(210, 240, 249);
const QColor kEvenRow(241, 241, 241);
constexpr int kFilterButton = 16;
constexpr int kRawRole = Qt::UserRole + 1;

bool isIconKind(CellKind kind)
{
  switch (kind) {
  case CellKind::StatusIcon:
  case CellKind::YesNoIcon:
  case CellKind::YesIcon:
  case CellKind::PictureMarker:
  case CellKind::StoreIcon:
  case CellKind::CheckBox:
    return true;
  default:
    return false;
  }
}

bool isNumber(const QVariant &value)
{
  switch (value.typeId()) {
  case QMetaType::Int:
  case QMetaType::UInt:
  case QMetaType::LongLong:
  case QMetaType::ULongLong:
  case QMetaType::Double:
  case QMetaType::Float:
  case QMetaType::Short:
  case QMetaType::UShort:
    return true;
  default:
    return false;
  }
}

const QIcon &icon(const char *name)
{
  static QHash<QByteArray, QIcon> cache;
  auto it = cache.find(name);
  if (it == cache.end())
    it = cache.insert(name, QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name))));
  return *it;
}

// The icon a cell of an icon column shows, or null for none.
const QIcon *cellIcon(CellKind kind, const QVariant &value)
{
  switch (kind) {
  case CellKind::StatusIcon: {
    bool ok = false;
    const int code = value.toInt(&ok);
    if (!ok)
      return nullptr;
    static const char *names[] = {"durum-yok",   "durum-var",  "durum-telefon",
                                  "durum-yolda", "durum-ozel", "durum-tedarik"};
    return code >= 0 && code <= 5 ? &icon(names[code]) : nullptr;
  }
  case CellKind::YesNoIcon:
    if (value.isNull())
      return nullptr;
    return value.toInt() == 1 ? &icon("evet") : &icon("hayir");
  case CellKind::YesIcon:
    return value.toInt() == 1 ? &icon("evet") : nullptr;
  case CellKind::PictureMarker:
    return value.toInt() == 1 ? &icon("resim") : nullptr;
  case CellKind::StoreIcon: {
    const QString text = value.toString().trimmed().toUpper();
    if (text == QLatin1String("VAR"))
      return &icon("depo-var");
    if (text == QLatin1String("YOK"))
      return &icon("depo-yok");
    return nullptr;
  }
  default:
    return nullptr;
  }
}

} // namespace

// ---- Model: the dataset seen through the column table ----

class DataGridModel : public QAbstractTableModel, public DataSetObserver {
public:
  using QAbstractTableModel::QAbstractTableModel;
  ~DataGridModel() override { setDataSet(nullptr); }

  QList<GridColumn> columns;
  std::function<void(int)> onCursor; // the dataset's current row moved
  bool noticing = false;             // handling a notice of the dataset

  void setColumns(const QList<GridColumn> &list)
  {
    beginResetModel();
    columns = list;
    mapFields();
    endResetModel();
  }

  void setDataSet(ClientDataSet *dataSet)
  {
    if (dataSet == ds_)
      return;
    beginResetModel();
    if (ds_ && attached_)
      ds_->RemoveObserver(this);
    ds_ = dataSet;
    if (ds_ && attached_)
      ds_->AddObserver(this);
    mapFields();
    endResetModel();
  }
  ClientDataSet *dataSet() const { return ds_; }

  void setAttached(bool attached)
  {
    if (attached == attached_)
      return;
    beginResetModel();
    attached_ = attached;
    if (ds_) {
      if (attached_)
        ds_->AddObserver(this);
      else
        ds_->RemoveObserver(this);
    }
    mapFields();
    endResetModel();
  }
  bool attached() const { return attached_; }

  bool live() const { return ds_ && attached_ && ds_->Active(); }

  int rowCount(const QModelIndex &parent = {}) const override
  {
    return parent.isValid() || !live() ? 0 : ds_->RecordCount();
  }
  int columnCount(const QModelIndex &parent = {}) const override
  {
    return parent.isValid() ? 0 : int(columns.size());
  }

  QVariant raw(int row, int column) const
  {
    const int field = fields_.value(column, -1);
    if (field < 0 || !live() || row < 0 || row >= ds_->RecordCount())
      return {};
    return ds_->CellValue(row, field);
  }

  QString text(int row, int column) const
  {
    const GridColumn &c = columns.at(column);
    if (c.kind == CellKind::OwnerDrawn)
      return c.text && live() ? c.text(row) : QString();
    const int field = fields_.value(column, -1);
    if (field < 0 || !live())
      return {};
    return ds_->CellText(row, field);
  }

  // What a filter compares: the text, or for icon columns the value itself.
  QString filterText(int row, int column) const
  {
    return isIconKind(columns.at(column).kind) ? raw(row, column).toString() : text(row, column);
  }

  QVariant data(const QModelIndex &index, int role) const override
  {
    if (!index.isValid() || !live())
      return {};
    const GridColumn &c = columns.at(index.column());
    switch (role) {
    case Qt::DisplayRole:
      return isIconKind(c.kind) ? QVariant() : QVariant(text(index.row(), index.column()));
    case kRawRole:
      return c.kind == CellKind::OwnerDrawn ? QVariant(text(index.row(), index.column()))
                                            : raw(index.row(), index.column());
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(alignment(index.row(), index.column()));
    default:
      return {};
    }
  }

  Qt::Alignment alignment(int row, int column) const
  {
    const GridColumn &c = columns.at(column);
    switch (c.kind) {
    case CellKind::Centered:
      return Qt::AlignCenter;
    case CellKind::Money:
    case CellKind::OwnerDrawn:
      return Qt::AlignRight | Qt::AlignVCenter;
    case CellKind::WrappedText:
      return Qt::AlignLeft | Qt::AlignVCenter;
    default:
      if (isIconKind(c.kind))
        return Qt::AlignCenter;
      return isNumber(raw(row, column)) ? Qt::AlignRight | Qt::AlignVCenter
                                        : Qt::AlignLeft | Qt::AlignVCenter;
    }
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override
  {
    if (orientation != Qt::Horizontal || section < 0 || section >= columns.size())
      return {};
    if (role == Qt::DisplayRole)
      return columns.at(section).title();
    return {};
  }

  Qt::ItemFlags flags(const QModelIndex &index) const override
  {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
  }

  // A number format for the field of a column, empty when it has none.
  QString displayFormat(int column) const
  {
    const int field = fields_.value(column, -1);
    if (field < 0 || !ds_)
      return {};
    const Field *f = ds_->Fields(field);
    return f->IsFloat() ? f->DisplayFormat() : QString();
  }
  bool isFloat(int column) const
  {
    const int field = fields_.value(column, -1);
    return field >= 0 && ds_ && ds_->Fields(field)->IsFloat();
  }

  void dataSetChanged(ClientDataSet &, Change change) override
  {
    // The dataset is in the middle of a change (a post, a move): a focus
    // that moves meanwhile (the row left the filter) must not move its cursor.
    const QScopedValueRollback<bool> guard(noticing, true);
    switch (change) {
    case Change::Reset:
      beginResetModel();
      mapFields();
      endResetModel();
      break;
    case Change::Values:
      if (ds_->RecNo() > 0 && columns.size() > 0)
        emit dataChanged(index(ds_->RecNo() - 1, 0), index(ds_->RecNo() - 1, int(columns.size()) - 1));
      break;
    case Change::Cursor:
      if (onCursor && ds_->RecNo() > 0)
        onCursor(ds_->RecNo() - 1);
      break;
    }
  }

private:
  void mapFields()
  {
    fields_.clear();
    for (const GridColumn &c : columns) {
      const Field *f = (ds_ && !c.field.isEmpty()) ? ds_->FindField(c.field) : nullptr;
      fields_.append(f ? f->Index() : -1);
    }
  }

  ClientDataSet *ds_ = nullptr;
  bool attached_ = true;
  QList<int> fields_;
};

// ---- Filtering and sorting ----

class DataGridProxy : public QSortFilterProxyModel {
public:
  explicit DataGridProxy(DataGridModel *model, QObject *parent) : QSortFilterProxyModel(parent), model_(model)
  {
    setSourceModel(model);
    setSortRole(kRawRole);
    setSortLocaleAware(true);
  }
  QHash<int, QString> filters;
  void refilter() { invalidateRowsFilter(); }

protected:
  bool filterAcceptsRow(int row, const QModelIndex &) const override
  {
    for (auto it = filters.cbegin(); it != filters.cend(); ++it)
      if (model_->filterText(row, it.key()) != it.value())
        return false;
    return true;
  }

private:
  DataGridModel *model_;
};

// ---- Painting of the cells ----

class DataGridDelegate : public QStyledItemDelegate {
public:
  DataGridDelegate(DataGridModel *model, QObject *parent) : QStyledItemDelegate(parent), model_(model) {}

  void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
  {
    const bool selected = option.state & QStyle::State_Selected;
    const int visualRow = index.row();
    painter->fillRect(option.rect,
                      selected ? kSelected : (visualRow % 2 == 0 ? kEvenRow : QColor(Qt::white)));
    const QModelIndex source = static_cast<const QSortFilterProxyModel *>(index.model())->mapToSource(index);
    const GridColumn &c = model_->columns.at(source.column());
    painter->save();
    painter->setPen(selected ? QColor(Qt::black) : option.palette.color(QPalette::Text));
    painter->setFont(option.font);
    if (c.kind == CellKind::CheckBox) {
      QStyleOptionButton box;
      const int side = 18;
      box.rect = QRect(option.rect.center().x() - side / 2, option.rect.center().y() - side / 2, side, side);
      box.state =
          QStyle::State_Enabled |
          (model_->raw(source.row(), source.column()).toInt() == 1 ? QStyle::State_On : QStyle::State_Off);
      const QWidget *widget = option.widget;
      (widget ? widget->style() : QApplication::style())
          ->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, widget);
    } else if (isIconKind(c.kind)) {
      if (const QIcon *i = cellIcon(c.kind, model_->raw(source.row(), source.column()))) {
        const int side = qMin(24, option.rect.height() - 4);
        i->paint(painter,
                 QRect(option.rect.center().x() - side / 2, option.rect.center().y() - side / 2, side, side));
      }
    } else {
      const QString text = model_->text(source.row(), source.column());
      QRect r = option.rect.adjusted(4, 1, -4, -1);
      int flags = int(model_->alignment(source.row(), source.column()));
      if (c.kind == CellKind::WrappedText || c.kind == CellKind::OwnerDrawn)
        flags |= Qt::TextWordWrap;
      if (c.kind == CellKind::OwnerDrawn)
        r = option.rect.adjusted(10, 0, -10, 0);
      if (c.kind == CellKind::OwnerDrawn || c.kind == CellKind::WrappedText)
        painter->drawText(r, flags, text);
      else
        painter->drawText(r, flags, option.fontMetrics.elidedText(text, Qt::ElideRight, r.width()));
    }
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
  {
    const QModelIndex source = static_cast<const QSortFilterProxyModel *>(index.model())->mapToSource(index);
    const GridColumn &c = model_->columns.at(source.column());
    if (isIconKind(c.kind))
      return {36, 28};
    const QString text = model_->text(source.row(), source.column());
    const int margin = c.kind == CellKind::OwnerDrawn ? 20 : 8;
    QSize size = option.fontMetrics.size(0, text);
    return {size.width() + margin, size.height() + 4};
  }

private:
  DataGridModel *model_;
};

// ---- Header with a filter button in each section ----

class DataGridHeader : public QHeaderView {
public:
  DataGridHeader(DataGridProxy *proxy, QWidget *parent) : QHeaderView(Qt::Horizontal, parent), proxy_(proxy)
  {
    setDefaultAlignment(Qt::AlignCenter | Qt::Alignment(Qt::TextWordWrap));
    setSectionsClickable(true);
    setHighlightSections(false);
  }
  std::function<void(int)> onFilterButton;

protected:
  void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override
  {
    // The section without its text, then the caption: wrapped over the
    // lines it needs, or cut with an ellipsis when a word is wider than the
    // section (a narrow column must not show the middle of its caption).
    QStyleOptionHeader opt;
    initStyleOption(&opt);
    initStyleOptionForIndex(&opt, logicalIndex);
    opt.rect = rect;
    const QString text = opt.text;
    opt.text.clear();
    painter->save();
    style()->drawControl(QStyle::CE_Header, &opt, painter, this);
    painter->restore();
    painter->save();
    QFont f = font();
    f.setBold(true);
    painter->setFont(f);
    painter->setPen(QColor(67, 76, 88));
    const QRect textRect = rect.adjusted(4, 2, -kFilterButton, -2);
    const QFontMetrics metrics(f);
    const QRect needed = metrics.boundingRect(textRect, Qt::AlignCenter | Qt::TextWordWrap, text);
    if (needed.width() <= textRect.width() && needed.height() <= textRect.height())
      painter->drawText(textRect, Qt::AlignCenter | Qt::TextWordWrap, text);
    else
      painter->drawText(textRect, Qt::AlignCenter,
                        metrics.elidedText(text, Qt::ElideRight, textRect.width()));
    painter->restore();
    const QRect button(rect.right() - kFilterButton + 2, rect.center().y() - 4, 9, 8);
    const bool filtered = proxy_->filters.contains(logicalIndex);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(filtered ? QColor(33, 110, 200) : QColor(140, 146, 154));
    const QPointF points[] = {button.topLeft(), button.topRight(),
                              QPointF(button.center().x(), button.bottom())};
    painter->drawPolygon(points, 3);
    painter->restore();
  }

  void mousePressEvent(QMouseEvent *event) override
  {
    const int section = logicalIndexAt(event->position().toPoint());
    if (section >= 0 && event->button() == Qt::LeftButton) {
      const int right = sectionViewportPosition(section) + sectionSize(section);
      if (event->position().x() >= right - kFilterButton) {
        if (onFilterButton)
          onFilterButton(section);
        event->accept();
        return;
      }
    }
    QHeaderView::mousePressEvent(event);
  }

private:
  DataGridProxy *proxy_;
};

// ---- The table view: incremental search skips columns that opt out ----

class DataGridView : public QTableView {
public:
  DataGridView(DataGridModel *model, QWidget *parent) : QTableView(parent), model_(model) {}

  void keyboardSearch(const QString &search) override
  {
    const QModelIndex current = currentIndex();
    if (current.isValid()) {
      const int column = static_cast<QSortFilterProxyModel *>(this->model())->mapToSource(current).column();
      if (!model_->columns.at(column).searchable || isIconKind(model_->columns.at(column).kind))
        return;
    }
    QTableView::keyboardSearch(search);
  }
  int contentWidth(int column) const { return sizeHintForColumn(column); }

private:
  DataGridModel *model_;
};

// ---- Footer row: record count and sums under their columns ----

class DataGridFooter : public QWidget {
public:
  DataGridFooter(DataGridModel *model, DataGridProxy *proxy, QTableView *view, QWidget *parent)
      : QWidget(parent), model_(model), proxy_(proxy), view_(view)
  {
    setFixedHeight(26);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

  QHash<int, QString> texts;

  void refresh()
  {
    texts.clear();
    for (int c = 0; c < model_->columns.size(); ++c) {
      const GridColumn &column = model_->columns.at(c);
      if (column.footer == FooterKind::Count) {
        texts.insert(c, QString::number(proxy_->rowCount()));
      } else if (column.footer == FooterKind::Sum) {
        double sum = 0;
        for (int r = 0; r < proxy_->rowCount(); ++r)
          sum += model_->raw(proxy_->mapToSource(proxy_->index(r, 0)).row(), c).toDouble();
        const QString format = model_->displayFormat(c);
        if (!format.isEmpty())
          texts.insert(c, FormatFloat(format, sum));
        else if (model_->isFloat(c))
          texts.insert(c, QLocale().toString(sum, 'g', 15));
        else
          texts.insert(c, QLocale().toString(qint64(std::llround(sum))));
      }
    }
    update();
  }

protected:
  void paintEvent(QPaintEvent *) override
  {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(232, 235, 239));
    painter.setPen(QColor(200, 204, 210));
    painter.drawLine(0, 0, width(), 0);
    painter.setPen(QColor(67, 76, 88));
    QFont f = font();
    f.setBold(true);
    painter.setFont(f);
    const QHeaderView *header = view_->horizontalHeader();
    const int offset = view_->frameWidth() + view_->verticalHeader()->width();
    for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
      if (header->isSectionHidden(it.key()))
        continue;
      const int x = offset + header->sectionViewportPosition(it.key());
      const QRect r(x + 4, 0, header->sectionSize(it.key()) - 8, height());
      painter.drawText(r, Qt::AlignRight | Qt::AlignVCenter,
                       painter.fontMetrics().elidedText(it.value(), Qt::ElideLeft, r.width()));
    }
  }

private:
  DataGridModel *model_;
  DataGridProxy *proxy_;
  QTableView *view_;
};

// ---- The grid ----

DataGrid::DataGrid(QWidget *parent) : QWidget(parent)
{
  model_ = new DataGridModel(this);
  proxy_ = new DataGridProxy(model_, this);
  view_ = new DataGridView(model_, this);
  auto *header = new DataGridHeader(proxy_, view_);
  view_->setHorizontalHeader(header);
  view_->setModel(proxy_);
  view_->setItemDelegate(new DataGridDelegate(model_, view_));
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  view_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  view_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  view_->setWordWrap(true);
  view_->setTextElideMode(Qt::ElideRight);
  view_->setGridStyle(Qt::SolidLine);
  view_->setContextMenuPolicy(Qt::CustomContextMenu);
  view_->setObjectName(QStringLiteral("DataGridView"));
  view_->setStyleSheet(QStringLiteral(
      "QTableView { gridline-color: silver; background: white; selection-background-color: rgb(210,240,249);"
      " selection-color: black; border: 1px solid rgb(190,195,202); }"
      "QHeaderView::section:horizontal { background: rgb(232,235,239); color: rgb(67,76,88);"
      " border: none; border-right: 1px solid silver; border-bottom: 1px solid silver; padding: 2px 16px 2px "
      "4px;"
      " font-weight: bold; }"
      "QHeaderView::section:vertical { background: rgb(66,66,66); border: none; }"));
  QHeaderView *rows = view_->verticalHeader();
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setDefaultSectionSize(40);
  rows->setFixedWidth(5);
  header->setFixedHeight(40);
  header->setSortIndicator(-1, Qt::AscendingOrder);
  header->setSortIndicatorClearable(true);
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setContextMenuPolicy(Qt::CustomContextMenu);
  view_->setSortingEnabled(true);

  footer_ = new DataGridFooter(model_, proxy_, view_, this);
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(view_, 1);
  layout->addWidget(footer_);

  header->onFilterButton = [this](int section) { showFilterMenu(section); };
  connect(header, &QWidget::customContextMenuRequested, this,
          [this, header](const QPoint &pos) { showColumnChooser(header->mapToGlobal(pos)); });
  connect(view_, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
    const QModelIndex index = view_->indexAt(pos);
    if (index.isValid())
      view_->setCurrentIndex(index);
    emit contextMenuRequested(view_->viewport()->mapToGlobal(pos));
  });
  connect(view_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
    if (!index.isValid())
      return;
    const QModelIndex source = proxy_->mapToSource(index);
    emit rowDoubleClicked(source.row(), model_->columns.at(source.column()).key());
  });
  auto refreshFooter = [this] { footer_->refresh(); };
  connect(proxy_, &QAbstractItemModel::modelReset, this, refreshFooter);
  connect(proxy_, &QAbstractItemModel::layoutChanged, this, refreshFooter);
  connect(proxy_, &QAbstractItemModel::rowsInserted, this, refreshFooter);
  connect(proxy_, &QAbstractItemModel::rowsRemoved, this, refreshFooter);
  connect(proxy_, &QAbstractItemModel::dataChanged, this, refreshFooter);
  connect(header, &QHeaderView::sectionResized, footer_, qOverload<>(&QWidget::update));
  connect(header, &QHeaderView::sectionMoved, footer_, qOverload<>(&QWidget::update));
  connect(view_->horizontalScrollBar(), &QScrollBar::valueChanged, footer_, qOverload<>(&QWidget::update));
  // After a reset the focus shows the dataset's current row, as before it.
  connect(proxy_, &QAbstractItemModel::modelReset, this, [this] {
    ClientDataSet *ds = model_->dataSet();
    if (proxy_->rowCount() == 0 || syncing_ || !ds || ds->RecNo() == 0)
      return;
    syncing_ = true;
    focusRow(ds->RecNo() - 1);
    syncing_ = false;
  });
  model_->onCursor = [this](int row) {
    if (!syncing_)
      focusRow(row);
  };
  connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
    syncCursorToFocus();
    emit focusedRowChanged(focusedRow());
  });
  // A reset may leave no row focused without the selection saying so.
  connect(proxy_, &QAbstractItemModel::modelReset, this, [this] { emit focusedRowChanged(focusedRow()); });
}

DataGrid::~DataGrid()
{
  model_->setDataSet(nullptr);
}

void DataGrid::setColumns(const QList<GridColumn> &columns)
{
  proxy_->filters.clear();
  model_->setColumns(columns);
  applyHidden();
  footer_->refresh();
}

const QList<GridColumn> &DataGrid::columns() const
{
  return model_->columns;
}

int DataGrid::columnIndex(const QString &key) const
{
  for (int i = 0; i < model_->columns.size(); ++i)
    if (model_->columns.at(i).key().compare(key, Qt::CaseInsensitive) == 0)
      return i;
  return -1;
}

const GridColumn *DataGrid::column(const QString &key) const
{
  const int i = columnIndex(key);
  return i < 0 ? nullptr : &model_->columns.at(i);
}

void DataGrid::applyHidden()
{
  for (int i = 0; i < model_->columns.size(); ++i)
    view_->setColumnHidden(i, !model_->columns.at(i).shown);
}

void DataGrid::setColumnShown(const QString &key, bool shown)
{
  const int i = columnIndex(key);
  if (i < 0)
    return;
  model_->columns[i].shown = shown;
  view_->setColumnHidden(i, !shown);
  footer_->update();
}

void DataGrid::setColumnOffered(const QString &key, bool offered)
{
  const int i = columnIndex(key);
  if (i >= 0)
    model_->columns[i].offered = offered;
}

bool DataGrid::isColumnShown(const QString &key) const
{
  const int i = columnIndex(key);
  return i >= 0 && !view_->isColumnHidden(i);
}

void DataGrid::setColumnWidth(const QString &key, int width)
{
  const int i = columnIndex(key);
  if (i >= 0)
    view_->setColumnWidth(i, width);
}

int DataGrid::columnWidth(const QString &key) const
{
  const int i = columnIndex(key);
  return i < 0 ? 0 : view_->columnWidth(i);
}

void DataGrid::setDataSet(ClientDataSet *dataSet)
{
  proxy_->filters.clear();
  model_->setDataSet(dataSet);
}

ClientDataSet *DataGrid::dataSet() const
{
  return model_->dataSet();
}

void DataGrid::detach()
{
  model_->setAttached(false);
}

void DataGrid::attach()
{
  model_->setAttached(true);
}

bool DataGrid::isAttached() const
{
  return model_->attached();
}

void DataGrid::lockView()
{
  if (locks_++ == 0) {
    view_->setUpdatesEnabled(false);
    footer_->setUpdatesEnabled(false);
  }
}

void DataGrid::unlockView()
{
  if (locks_ > 0 && --locks_ == 0) {
    view_->setUpdatesEnabled(true);
    footer_->setUpdatesEnabled(true);
    view_->viewport()->update();
    footer_->update();
  }
}

int DataGrid::focusedRow() const
{
  const QModelIndex current = view_->currentIndex();
  return current.isValid() ? proxy_->mapToSource(current).row() : -1;
}

QString DataGrid::focusedColumn() const
{
  const QModelIndex current = view_->currentIndex();
  return current.isValid() ? model_->columns.at(proxy_->mapToSource(current).column()).key() : QString();
}

void DataGrid::focusRow(int row, const QString &columnKey)
{
  int column = columnKey.isEmpty() ? -1 : columnIndex(columnKey);
  if (column < 0) {
    const QModelIndex current = view_->currentIndex();
    column = current.isValid() ? proxy_->mapToSource(current).column() : -1;
  }
  if (column < 0 || view_->isColumnHidden(column)) {
    const QList<int> shown = shownColumns();
    column = shown.isEmpty() ? 0 : shown.first();
  }
  const QModelIndex index = proxy_->mapFromSource(model_->index(row, column));
  if (!index.isValid())
    return;
  view_->setCurrentIndex(index);
  view_->scrollTo(index);
}

int DataGrid::visibleRowCount() const
{
  return proxy_->rowCount();
}

void DataGrid::syncCursorToFocus()
{
  ClientDataSet *ds = model_->dataSet();
  const int row = focusedRow();
  if (syncing_ || model_->noticing || !ds || !model_->live() || ds->ControlsDisabled() || row < 0)
    return;
  syncing_ = true;
  if (ds->RecNo() != row + 1)
    ds->SetRecNo(row + 1);
  syncing_ = false;
}

void DataGrid::setFilter(const QString &key, const QString &value)
{
  const int i = columnIndex(key);
  if (i < 0)
    return;
  proxy_->filters.insert(i, value);
  proxy_->refilter();
  view_->horizontalHeader()->viewport()->update();
}

void DataGrid::clearFilter()
{
  if (proxy_->filters.isEmpty())
    return;
  proxy_->filters.clear();
  proxy_->refilter();
  view_->horizontalHeader()->viewport()->update();
}

bool DataGrid::isFiltered() const
{
  return !proxy_->filters.isEmpty();
}

void DataGrid::showFilterMenu(int section)
{
  QSet<QString> seen;
  QStringList values;
  const int rows = model_->rowCount();
  for (int r = 0; r < rows && values.size() < 500; ++r) {
    const QString v = model_->filterText(r, section);
    if (!seen.contains(v)) {
      seen.insert(v);
      values.append(v);
    }
  }
  QCollator collator;
  collator.setNumericMode(true);
  std::sort(values.begin(), values.end(), collator);
  QMenu menu(this);
  QAction *all = menu.addAction(QStringLiteral("(Tümü)"));
  menu.addSeparator();
  const QString current = proxy_->filters.value(section);
  for (const QString &v : values) {
    QAction *a = menu.addAction(v.isEmpty() ? QStringLiteral("(Boş)") : v);
    a->setData(v);
    a->setCheckable(true);
    a->setChecked(proxy_->filters.contains(section) && current == v);
  }
  QHeaderView *header = view_->horizontalHeader();
  const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) - kFilterButton,
                  header->height());
  QAction *chosen = menu.exec(header->viewport()->mapToGlobal(at));
  if (!chosen)
    return;
  if (chosen == all) {
    proxy_->filters.remove(section);
    proxy_->refilter();
    header->viewport()->update();
  } else {
    setFilter(model_->columns.at(section).key(), chosen->data().toString());
  }
}

void DataGrid::showColumnChooser(const QPoint &globalPos)
{
  QMenu menu(this);
  for (int i = 0; i < model_->columns.size(); ++i) {
    const GridColumn &c = model_->columns.at(i);
    if (!c.offered)
      continue;
    QAction *a = menu.addAction(c.title());
    a->setCheckable(true);
    a->setChecked(!view_->isColumnHidden(i));
    a->setData(i);
  }
  if (menu.isEmpty())
    return;
  QAction *chosen = menu.exec(globalPos);
  if (!chosen)
    return;
  setColumnShown(model_->columns.at(chosen->data().toInt()).key(), chosen->isChecked());
  emit resized(); // owners re-run their width rule over the new set of columns
}

void DataGrid::setRowHeight(int height)
{
  view_->verticalHeader()->setDefaultSectionSize(height);
}

int DataGrid::rowHeight() const
{
  return view_->verticalHeader()->defaultSectionSize();
}

void DataGrid::setHeaderHeight(int height)
{
  view_->horizontalHeader()->setFixedHeight(height);
}

void DataGrid::applyWeightedWidths(int gridWidth)
{
  QList<int> visible;
  QList<int> weights;
  for (int i = 0; i < model_->columns.size(); ++i)
    if (!view_->isColumnHidden(i)) {
      visible.append(i);
      weights.append(model_->columns.at(i).weight);
    }
  const QList<int> widths = AgirlikliGenislikler(weights, gridWidth);
  for (int k = 0; k < widths.size(); ++k)
    view_->setColumnWidth(visible.at(k), widths.at(k));
}

void DataGrid::bestFit()
{
  for (int i = 0; i < model_->columns.size(); ++i)
    if (!view_->isColumnHidden(i))
      view_->setColumnWidth(i, qMax(view_->contentWidth(i), view_->horizontalHeader()->sectionSizeHint(i)));
}

void DataGrid::applyWidthRule(int width)
{
  lockView();
  if (AgirlikliKullan(width))
    applyWeightedWidths(view_->width());
  else
    bestFit();
  unlockView();
}

QString DataGrid::footerText(const QString &key) const
{
  return footer_->texts.value(columnIndex(key));
}

QList<int> DataGrid::shownColumns() const
{
  QList<int> order;
  const QHeaderView *header = view_->horizontalHeader();
  for (int v = 0; v < header->count(); ++v) {
    const int i = header->logicalIndex(v);
    if (!view_->isColumnHidden(i))
      order.append(i);
  }
  return order;
}

int DataGrid::rowAt(int shownRow) const
{
  return proxy_->mapToSource(proxy_->index(shownRow, 0)).row();
}

QVariant DataGrid::cellValue(int row, int column) const
{
  return model_->columns.at(column).kind == CellKind::OwnerDrawn ? QVariant(model_->text(row, column))
                                                                 : model_->raw(row, column);
}

QString DataGrid::cellText(int row, int column) const
{
  return model_->text(row, column);
}

bool DataGrid::isMoneyColumn(int column) const
{
  return model_->columns.at(column).kind == CellKind::Money || !model_->displayFormat(column).isEmpty();
}

QTableView *DataGrid::view() const
{
  return view_;
}

void DataGrid::resizeEvent(QResizeEvent *event)
{
  QWidget::resizeEvent(event);
  emit resized();
}
