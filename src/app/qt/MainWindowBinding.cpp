// Keeping the widgets and the model in step: each widget is made for one control, shows it on
// every refresh and writes the user's changes back before the control's handler runs.
#include "app/qt/MainWindow.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTabWidget>
#include <algorithm>

#include "app/qt/WidgetHelpers.h"
#include "widgets/NumberEdit.h"
#include "widgets/UpdownNumberEdit.h"

namespace korvent::app {
namespace {

// The colour a control asks for, in terms of the widget's palette.
void SetColor(QWidget* widget, QPalette::ColorRole role, const Color& color,
              QPalette::ColorRole systemRole) {
    QPalette palette = widget->palette();
    const QPalette standard = QApplication::palette(widget);
    switch (color.kind) {
        case Color::Kind::Default:
            palette.setColor(role, standard.color(role));
            break;
        case Color::Kind::ButtonFace:
            palette.setColor(role, standard.color(systemRole));
            break;
        case Color::Kind::Rgb:
            palette.setColor(role, QColor(color.r, color.g, color.b));
            break;
    }
    widget->setPalette(palette);
}

// The width an entry's text may take in `list`: the item's text area beside the check box,
// less the margins the style keeps inside it, and less the vertical scroll bar while that is
// not shown yet (it appears as entries are added, and texts are not fitted again then).
int ItemTextWidth(const QListWidget* list) {
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.rect = QRect(0, 0, list->viewport()->width(), list->fontMetrics().height());
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    option.font = list->font();
    option.fontMetrics = list->fontMetrics();
    option.text = QStringLiteral("x");
    const QStyle* style = list->style();
    // The text starts after the check box and may run to the item's right edge.
    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &option, list);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    int width = option.rect.right() + 1 - text.left() - 2 * margin;
    if (!list->verticalScrollBar()->isVisible()) {
        width -= style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    }
    return std::max(0, width);
}

}  // namespace

// --- keeping model and widgets in step ---

QWidget* TMainWindow::Bind(Control& control, QWidget* widget, Kind kind, QButtonGroup* buttons) {
    widget->setObjectName(Q(control.Name));
    fBindings.push_back({&control, widget, kind, buttons});
    return widget;
}

void TMainWindow::Invoke(Handler handler) {
    Invoke([this, handler] { ((*fForm).*handler)(); });
}

void TMainWindow::Invoke(const std::function<void()>& action) {
    if (fJobList) {
        // The logic fits texts to the list's width less 10 pixels; here that is exactly the
        // room the list gives a text, so that it never cuts a file name short.
        fForm->Model().CheckListBox1.Width = ItemTextWidth(fJobList) + 10;
    }
    try {
        action();
    } catch (const std::exception& error) {
        // An error no handler caught (a refused settings write, ...) is shown, and the window
        // goes on.
        fMessages->Show(error.what(), "KorventPDF", platform::mb::Ok | platform::mb::IconError);
    }
    Refresh();
}

void TMainWindow::Refresh() {
    fRefreshing = true;
    const FormModel& m = fForm->Model();
    setWindowTitle(Q(m.Caption));
    for (int i = 0; i < fPages->count() && i < static_cast<int>(m.PageControl1.Items.size()); ++i) {
        fPages->setTabText(i, Q(m.PageControl1.Items[i]));
    }
    for (const Binding& binding : fBindings) {
        const QSignalBlocker blocker(binding.widget);
        Apply(binding);
    }
    ApplyJobList();
    fRefreshing = false;
}

void TMainWindow::Apply(const Binding& b) {
    const Control& c = *b.control;
    QWidget* w = b.widget;
    w->setEnabled(c.Enabled);
    w->setVisible(c.Visible);
    switch (b.kind) {
        case Kind::Button:
            static_cast<QPushButton*>(w)->setText(Q(c.Text));
            break;
        case Kind::Label: {
            auto* label = static_cast<QLabel*>(w);
            label->setText(Q(c.Text));
            // The button face is the window's own background: nothing to paint.
            label->setAutoFillBackground(c.Background.kind == Color::Kind::Rgb);
            SetColor(label, QPalette::Window, c.Background, QPalette::Window);
            SetColor(label, QPalette::WindowText, c.FontColor, QPalette::WindowText);
            break;
        }
        case Kind::CheckBox: {
            auto* box = static_cast<QCheckBox*>(w);
            box->setText(Q(c.Text));
            box->setChecked(c.Checked);
            break;
        }
        case Kind::Radio: {
            auto* radio = static_cast<QRadioButton*>(w);
            radio->setText(Q(c.Text));
            radio->setChecked(c.Checked);
            break;
        }
        case Kind::Edit: {
            auto* edit = static_cast<QLineEdit*>(w);
            if (edit->text() != Q(c.Text)) {
                edit->setText(Q(c.Text));
            }
            SetColor(edit, QPalette::Base, c.Background, QPalette::Window);
            SetColor(edit, QPalette::Text, c.FontColor, QPalette::Text);
            break;
        }
        case Kind::Number: {
            auto* edit = static_cast<widgets::TNumberEdit*>(w);
            edit->SetMin(c.Min);
            edit->SetMax(c.Max);
            if (edit->AsInteger() != c.Value) {
                edit->SetAsInteger(c.Value);
            }
            break;
        }
        case Kind::RadioGroup: {
            auto* group = static_cast<QGroupBox*>(w);
            group->setTitle(Q(c.Text));
            const auto buttons = b.buttons->buttons();
            for (int i = 0; i < static_cast<int>(buttons.size()); ++i) {
                QAbstractButton* button = b.buttons->button(i);
                if (i < static_cast<int>(c.Items.size())) {
                    button->setText(Q(c.Items[i]));
                }
            }
            // No selection: every button unchecked, which a normal exclusive group refuses.
            b.buttons->setExclusive(false);
            for (int i = 0; i < static_cast<int>(buttons.size()); ++i) {
                b.buttons->button(i)->setChecked(i == c.ItemIndex);
            }
            b.buttons->setExclusive(true);
            break;
        }
        case Kind::Combo: {
            auto* combo = static_cast<QComboBox*>(w);
            QStringList items;
            for (const std::string& item : c.Items) {
                items << Q(item);
            }
            QStringList current;
            for (int i = 0; i < combo->count(); ++i) {
                current << combo->itemText(i);
            }
            if (current != items) {
                combo->clear();
                combo->addItems(items);
            }
            combo->setCurrentIndex(c.ItemIndex);
            combo->setPlaceholderText(Q(c.Text));
            break;
        }
        case Kind::Group:
            static_cast<QGroupBox*>(w)->setTitle(Q(c.Text));
            break;
        case Kind::List: {
            auto* list = static_cast<QListWidget*>(w);
            list->clear();
            for (const std::string& item : c.Items) {
                list->addItem(Q(item));
            }
            break;
        }
        case Kind::ScrollBar: {
            auto* bar = static_cast<QScrollBar*>(w);
            bar->setRange(c.Min, c.Max);
            bar->setValue(c.Value);
            break;
        }
        case Kind::Progress: {
            auto* bar = static_cast<QProgressBar*>(w);
            bar->setRange(0, c.Max);
            bar->setValue(c.Value);
            bar->setFormat(Q(c.Text));
            break;
        }
    }
}

void TMainWindow::ApplyJobList() {
    const CheckListControl& list = fForm->Model().CheckListBox1;
    const QSignalBlocker blocker(fJobList);
    bool same = fJobList->count() == list.Count();
    for (int i = 0; same && i < list.Count(); ++i) {
        same = fJobList->item(i)->text() == Q(list.Items[i]);
    }
    if (!same) {
        fJobList->clear();
        for (const std::string& text : list.Items) {
            auto* item = new QListWidgetItem(Q(text), fJobList);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        }
    }
    fJobList->setSelectionMode(list.MultiSelect ? QAbstractItemView::ExtendedSelection
                                                : QAbstractItemView::SingleSelection);
    for (int i = 0; i < list.Count(); ++i) {
        QListWidgetItem* item = fJobList->item(i);
        item->setCheckState(list.ItemChecked[i] ? Qt::Checked : Qt::Unchecked);
        item->setSelected(list.ItemSelected[i] != 0);
    }
    fJobList->setEnabled(list.Enabled);
}

// --- widgets ---

QWidget* TMainWindow::MakeButton(Control& control, Handler handler) {
    auto* button = new QPushButton;
    connect(button, &QPushButton::clicked, this, [this, handler] { Invoke(handler); });
    return Bind(control, button, Kind::Button);
}

QWidget* TMainWindow::MakeLabel(Control& control) {
    auto* label = new QLabel;
    return Bind(control, label, Kind::Label);
}

QWidget* TMainWindow::MakeProgress(Control& control) {
    return Bind(control, new QProgressBar, Kind::Progress);
}

QWidget* TMainWindow::MakeCheckBox(Control& control, Handler handler) {
    auto* box = new QCheckBox;
    connect(box, &QCheckBox::toggled, this, [this, &control, handler](bool checked) {
        control.Checked = checked;
        if (handler) {
            Invoke(handler);
        } else {
            Refresh();
        }
    });
    return Bind(control, box, Kind::CheckBox);
}

QWidget* TMainWindow::MakeRadio(Control& control, Control& partner, Handler handler) {
    auto* radio = new QRadioButton;
    // Each pair shares a parent; Qt's auto-exclusive radios uncheck the partner.
    connect(radio, &QRadioButton::toggled, this, [this, &control, &partner, handler](bool on) {
        if (!on) {
            return;
        }
        control.Checked = true;
        partner.Checked = false;
        Invoke(handler);
    });
    return Bind(control, radio, Kind::Radio);
}

QWidget* TMainWindow::MakeEdit(Control& control, Handler handler) {
    auto* edit = new QLineEdit;
    connect(edit, &QLineEdit::textEdited, this, [this, &control, handler](const QString& text) {
        control.Text = text.toStdString();
        if (handler) {
            Invoke(handler);
        }
    });
    return Bind(control, edit, Kind::Edit);
}

QWidget* TMainWindow::MakeNumber(Control& control, Handler handler, int digits, bool spin) {
    widgets::TNumberEdit* edit = nullptr;
    widgets::TUpdownNumberEdit* updown = nullptr;
    if (spin) {
        updown = new widgets::TUpdownNumberEdit;
        edit = updown;
    } else {
        edit = new widgets::TNumberEdit;
    }
    edit->SetLimit(true);
    edit->SetLimitOptions(widgets::TLimitOptions(widgets::loMax) | widgets::loMin);
    edit->SetMax(control.Max);
    edit->SetMin(control.Min);
    edit->SetMaxIntLength(digits);
    edit->SetAsInteger(control.Value);
    edit->setMinimumWidth(QFontMetrics(font()).horizontalAdvance(QString(digits + 1, '0')) +
                          (spin ? 32 : 12));
    edit->setMaximumWidth(edit->minimumWidth() + 24);
    auto changed = [this, &control, handler, edit] {
        if (fRefreshing || edit->AsInteger() == control.Value) {
            return;
        }
        control.Value = edit->AsInteger();
        control.Text = std::to_string(control.Value);
        if (handler) {
            Invoke(handler);
        }
    };
    connect(edit, &widgets::TNumberEdit::OnChange, this, changed);
    if (updown) {
        connect(updown, &widgets::TUpdownNumberEdit::OnUDChanged, this, changed);
    }
    return Bind(control, edit, Kind::Number);
}

QGroupBox* TMainWindow::MakeGroup(Control& control) {
    auto* group = new QGroupBox;
    Bind(control, group, Kind::Group);
    return group;
}

QGroupBox* TMainWindow::MakeRadioGroup(Control& control, Handler handler, QGridLayout** grid,
                                       bool horizontal) {
    auto* group = new QGroupBox;
    auto* buttons = new QButtonGroup(group);
    auto* layout = Compact(new QGridLayout(group));
    for (int i = 0; i < static_cast<int>(control.Items.size()); ++i) {
        auto* radio = new QRadioButton(Q(control.Items[i]));
        radio->setObjectName(Q(control.Name + "_" + std::to_string(i)));
        buttons->addButton(radio, i);
        layout->addWidget(radio, horizontal ? 0 : i, horizontal ? i : 0);
    }
    connect(buttons, &QButtonGroup::idClicked, this, [this, &control, handler](int id) {
        if (control.ItemIndex == id) {
            return;
        }
        control.ItemIndex = id;
        Invoke(handler);
    });
    if (grid) {
        *grid = layout;
    }
    Bind(control, group, Kind::RadioGroup, buttons);
    return group;
}

QWidget* TMainWindow::MakeCombo(Control& control, Handler handler) {
    auto* combo = new QComboBox;
    connect(combo, &QComboBox::activated, this, [this, &control, handler](int index) {
        control.ItemIndex = index;
        if (index >= 0 && index < static_cast<int>(control.Items.size())) {
            control.Text = control.Items[index];
        }
        Invoke(handler);
    });
    return Bind(control, combo, Kind::Combo);
}

QWidget* TMainWindow::MakeJobList() {
    CheckListControl& model = fForm->Model().CheckListBox1;
    fJobList = new QListWidget;
    // Texts are shortened in the window's font, so the list must show them in that font.
    fJobList->setFont(font());
    fJobList->setObjectName(Q(model.Name));
    fJobList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    fJobList->setContextMenuPolicy(Qt::CustomContextMenu);
    fJobList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fJobList->setMinimumHeight(48);
    connect(fJobList, &QListWidget::itemSelectionChanged, this, [this] {
        if (fRefreshing) {
            return;
        }
        CheckListControl& list = fForm->Model().CheckListBox1;
        for (int i = 0; i < list.Count() && i < fJobList->count(); ++i) {
            list.ItemSelected[i] = fJobList->item(i)->isSelected();
        }
    });
    connect(fJobList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!fRefreshing) {
            fForm->Model().CheckListBox1.ItemIndex = row;
        }
    });
    connect(fJobList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (fRefreshing) {
            return;
        }
        CheckListControl& list = fForm->Model().CheckListBox1;
        const int row = fJobList->row(item);
        if (row < 0 || row >= list.Count()) {
            return;
        }
        list.ItemIndex = row;
        list.ItemChecked[row] = item->checkState() == Qt::Checked;
        Invoke(&TMainForm::CheckListBox1ClickCheck);
    });
    connect(fJobList, &QListWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { fPopup->popup(fJobList->viewport()->mapToGlobal(pos)); });
    return fJobList;
}

void TMainWindow::MakePopupMenu() {
    const std::pair<const char*, Handler> handlers[] = {
        {"N1", &TMainForm::BtnNewFilesClick},
        {"N2", &TMainForm::BtnApendFileClick},
        {"N10", &TMainForm::BtnUpClick},
        {"N11", &TMainForm::BtnDownClick},
        {"Delete1", &TMainForm::BtnlClearListClick},
        {"N3", &TMainForm::BtnAllClearListClick},
        {"N5", &TMainForm::BtnPDFAllClick},
        {"N6", &TMainForm::BtnMergeClick},
        {"N8", &TMainForm::BtnStopAutoCheckClick},
        {"N9", &TMainForm::BtnAutoCheckClick},
        {"N13", &TMainForm::BtnOpenFileClick},
    };
    fPopup = new QMenu(this);
    fPopup->setObjectName("PopupMenu1");
    for (const MenuItem& item : fForm->Model().PopupMenu1) {
        if (item.IsSeparator()) {
            fPopup->addSeparator()->setObjectName(Q(item.Name));
            continue;
        }
        // No automatic accelerators: the captions are shown as they are.
        QAction* action = fPopup->addAction(Q(item.Caption).replace('&', "&&"));
        action->setObjectName(Q(item.Name));
        for (const auto& [name, handler] : handlers) {
            if (item.Name == name) {
                connect(action, &QAction::triggered, this, [this, h = handler] { Invoke(h); });
            }
        }
    }
}
}  // namespace korvent::app
