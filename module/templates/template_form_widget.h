#pragma once

#include <QWidget>
#include <array>

#include "templates/template_form.h"

class QCheckBox;
class QLineEdit;

// The fields of one template: name, signature with "使用用户名", the words for hit, miss and
// waiting, the remark and the ten switches. The system template editor goes without the name.
class CTemplateFormWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr std::size_t kSwitchCount = 10;

    explicit CTemplateFormWidget(bool withName, QWidget* parent = nullptr);

    void showTemplate(const quorstat::tagTEMPLATEITEM& item);
    quorstat::TemplateForm form() const;

private:
    void buildFields(bool withName);
    void onUseUserName(bool checked);

    QLineEdit* name_ = nullptr;
    QLineEdit* signature_ = nullptr;
    QCheckBox* useUserName_ = nullptr;
    QLineEdit* win_ = nullptr;
    QLineEdit* loss_ = nullptr;
    QLineEdit* wait_ = nullptr;
    QLineEdit* remark_ = nullptr;
    std::array<QCheckBox*, kSwitchCount> switches_{};
};
