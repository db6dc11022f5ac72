#include "widgets/DataNavigator.h"

#include "platform/Dialogs.h"
#include "store/Dataset.h"
#include "widgets/DataGrid.h"
#include "widgets/HandlerGuard.h"
#include "widgets/NavigatorIcons.h"

#include <QToolButton>

#include <algorithm>

namespace tiravo {

namespace {

constexpr NavigatorButton kAll[] = {
    NavigatorButton::First,  NavigatorButton::Prior,  NavigatorButton::Next, NavigatorButton::Last,
    NavigatorButton::Insert, NavigatorButton::Delete, NavigatorButton::Edit, NavigatorButton::Post,
    NavigatorButton::Cancel, NavigatorButton::Refresh};

// Reads the dataset again, as another program may have changed the table,
// and comes back to the row it stood on when that row is still there.
void Refresh(Dataset& dataset) {
    if (dataset.editing()) {
        if (dataset.modified())
            dataset.post();
        else
            dataset.cancel();
    }
    const int place = dataset.recNo();
    const int key = dataset.fieldIndex(QStringLiteral("Cod"));
    const QString cod = key >= 0 && place >= 0
                            ? dataset.field(static_cast<std::size_t>(key)).asString()
                            : QString();
    dataset.close();
    dataset.open();
    if (!cod.isEmpty() && dataset.locate(QStringLiteral("Cod"), cod))
        return;
    if (place > 0)
        dataset.moveTo(place);
}

} // namespace

QString DataNavigator::defaultHint(NavigatorButton which) {
    switch (which) {
    case NavigatorButton::First:
        return QStringLiteral("First record");
    case NavigatorButton::Prior:
        return QStringLiteral("Prior record");
    case NavigatorButton::Next:
        return QStringLiteral("Next record");
    case NavigatorButton::Last:
        return QStringLiteral("Last record");
    case NavigatorButton::Insert:
        return QStringLiteral("Insert record");
    case NavigatorButton::Delete:
        return QStringLiteral("Delete record");
    case NavigatorButton::Edit:
        return QStringLiteral("Edit record");
    case NavigatorButton::Post:
        return QStringLiteral("Post edit");
    case NavigatorButton::Cancel:
        return QStringLiteral("Cancel edit");
    case NavigatorButton::Refresh:
        return QStringLiteral("Refresh data");
    }
    return {};
}

DataNavigator::DataNavigator(QWidget* parent, Dialogs& dialogs)
    : QWidget(parent), dialogs_(dialogs) {
    for (NavigatorButton which : kAll) {
        auto* button = new QToolButton(this);
        button->setIcon(NavigatorIcon(which));
        button->setIconSize(QSize(16, 16));
        button->setToolTip(defaultHint(which));
        // The navigator takes no focus: pressing it leaves the focus, and any
        // text still open in a grid cell, where they were.
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, which] { act(which); });
        buttons_[which] = button;
    }
    setFocusPolicy(Qt::NoFocus);
    setButtons(std::vector<NavigatorButton>(std::begin(kAll), std::end(kAll)));
    updateEnabled();
}

void DataNavigator::setDataset(Dataset* dataset) {
    if (dataset_)
        dataset_->disconnect(this);
    dataset_ = dataset;
    if (dataset_) {
        connect(dataset_, &Dataset::cursorMoved, this, &DataNavigator::updateEnabled);
        connect(dataset_, &Dataset::rowsChanged, this, &DataNavigator::updateEnabled);
        connect(dataset_, &Dataset::stateChanged, this, &DataNavigator::updateEnabled);
        connect(dataset_, &QObject::destroyed, this, [this] {
            dataset_ = nullptr;
            updateEnabled();
        });
    }
    updateEnabled();
}

void DataNavigator::setButtons(const std::vector<NavigatorButton>& buttons) {
    order_.clear();
    for (NavigatorButton which : buttons)
        if (std::find(order_.begin(), order_.end(), which) == order_.end())
            order_.push_back(which);
    for (const auto& [which, button] : buttons_)
        button->setVisible(std::find(order_.begin(), order_.end(), which) != order_.end());
    placeButtons();
}

void DataNavigator::setHints(const std::map<NavigatorButton, QString>& hints) {
    for (const auto& [which, hint] : hints)
        buttons_.at(which)->setToolTip(hint);
}

void DataNavigator::setFlat(bool flat) {
    for (const auto& [which, button] : buttons_)
        button->setAutoRaise(flat);
}

QToolButton* DataNavigator::button(NavigatorButton which) const {
    return buttons_.at(which);
}

void DataNavigator::press(NavigatorButton which) {
    if (std::find(order_.begin(), order_.end(), which) == order_.end())
        return;
    // click() does nothing on a disabled button, as a click would.
    buttons_.at(which)->click();
}

void DataNavigator::act(NavigatorButton which) {
    if (!dataset_)
        return;
    Dataset& dataset = *dataset_;
    RunGuarded(dialogs_, [&] {
        // Every button but Cancel first takes what is still typed in a cell.
        if (which != NavigatorButton::Cancel && !DataGrid::commitEditors(dataset))
            return;
        switch (which) {
        case NavigatorButton::First:
            dataset.first();
            break;
        case NavigatorButton::Prior:
            dataset.prior();
            break;
        case NavigatorButton::Next:
            dataset.next();
            break;
        case NavigatorButton::Last:
            dataset.last();
            break;
        case NavigatorButton::Insert:
            dataset.insert();
            break;
        case NavigatorButton::Delete:
            if (dialogs_.confirmDeleteRecord())
                dataset.deleteRecord();
            break;
        case NavigatorButton::Edit:
            dataset.edit();
            break;
        case NavigatorButton::Post:
            dataset.post();
            break;
        case NavigatorButton::Cancel:
            dataset.cancel();
            break;
        case NavigatorButton::Refresh:
            Refresh(dataset);
            break;
        }
    });
    // The end and beginning flags change without the cursor moving.
    updateEnabled();
}

void DataNavigator::updateEnabled() {
    const bool active = dataset_ && dataset_->active();
    const bool editing = active && dataset_->editing();
    const bool browsing = active && !editing;
    const bool empty = !active || dataset_->recordCount() == 0;
    const auto enable = [this](NavigatorButton which, bool on) {
        buttons_.at(which)->setEnabled(on);
    };
    enable(NavigatorButton::First, active && !dataset_->bof());
    enable(NavigatorButton::Prior, active && !dataset_->bof());
    // On the last row there is nowhere further to go, whether Last put the
    // cursor there (which leaves end-of-data clear) or Next tried to leave it.
    const bool further =
        active && !dataset_->eof() && dataset_->recNo() + 1 < dataset_->recordCount();
    enable(NavigatorButton::Next, further);
    enable(NavigatorButton::Last, further);
    enable(NavigatorButton::Insert, browsing);
    enable(NavigatorButton::Delete, browsing && !empty);
    enable(NavigatorButton::Edit, browsing);
    enable(NavigatorButton::Post, editing);
    enable(NavigatorButton::Cancel, editing);
    enable(NavigatorButton::Refresh, browsing);
}

void DataNavigator::placeButtons() {
    const int count = static_cast<int>(order_.size());
    if (count == 0)
        return;
    // Each button's edges are rounded from the exact share, so the row fills
    // the navigator with no gap at the end.
    for (int i = 0; i < count; ++i) {
        const int left = width() * i / count;
        const int right = width() * (i + 1) / count;
        buttons_.at(order_[static_cast<std::size_t>(i)])
            ->setGeometry(left, 0, right - left, height());
    }
}

void DataNavigator::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeButtons();
}

} // namespace tiravo
