#pragma once

#include "core/listops/SearchRequest.h"

#include <QDialog>

#include <map>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace torvane {

class CUiHost;

// "拡張検索": a search of the all list or the search list by text, existence and the extended
// conditions (extension, size, playing time, bit rate, sampling rate). Each condition's controls
// are enabled only while its box is ticked; numbers are validated on accepting and on ticking.
class CExtSearchDialog final : public QDialog {
    Q_OBJECT
public:
    CExtSearchDialog(CUiHost& host, const std::map<std::string, int>& iconMap,
                     QWidget* parent = nullptr);

    // The search as the dialog holds it; valid once the dialog was accepted.
    const SearchRequest& Request() const { return m_Request; }

    QComboBox* TargetList() const { return m_Target; }
    QLineEdit* TextField() const { return m_Text; }
    QComboBox* ExcludeList() const { return m_Exclude; }
    QComboBox* ExistenceList() const { return m_Existence; }
    QCheckBox* ExtensionCheck() const { return m_UseExtension; }
    QComboBox* ExtensionBox() const { return m_Extension; }
    QCheckBox* SizeCheck() const { return m_UseSize; }
    QLineEdit* SizeField() const { return m_Size; }
    QComboBox* SizeBoundList() const { return m_SizeAtMost; }
    QCheckBox* TimeCheck() const { return m_UseTime; }
    QLineEdit* MinutesField() const { return m_Minutes; }
    QLineEdit* SecondsField() const { return m_Seconds; }
    QComboBox* TimeBoundList() const { return m_TimeAtMost; }
    QCheckBox* BitRateCheck() const { return m_UseBitRate; }
    QComboBox* BitRateBox() const { return m_BitRate; }
    QComboBox* BitRateBoundList() const { return m_BitRateAtMost; }
    QCheckBox* SamplingRateCheck() const { return m_UseSamplingRate; }
    QComboBox* SamplingRateBox() const { return m_SamplingRate; }
    QComboBox* SamplingRateBoundList() const { return m_SamplingRateAtMost; }
    QComboBox* SourceList() const { return m_Source; }

    void accept() override;

private:
    QWidget* NewConditionGroup();
    // Takes every value over into the request, validating the numbers in the order of the
    // controls; false after the first refusal.
    bool TakeValues();
    void UpdateEnabling();

    CUiHost& m_Host;
    QComboBox* m_Target;
    QLineEdit* m_Text;
    QComboBox* m_Exclude;
    QComboBox* m_Existence;
    QCheckBox* m_UseExtension;
    QComboBox* m_Extension;
    QCheckBox* m_UseSize;
    QLineEdit* m_Size;
    QComboBox* m_SizeAtMost;
    QCheckBox* m_UseTime;
    QLineEdit* m_Minutes;
    QLineEdit* m_Seconds;
    QComboBox* m_TimeAtMost;
    QCheckBox* m_UseBitRate;
    QComboBox* m_BitRate;
    QComboBox* m_BitRateAtMost;
    QCheckBox* m_UseSamplingRate;
    QComboBox* m_SamplingRate;
    QComboBox* m_SamplingRateAtMost;
    QComboBox* m_Source;
    SearchRequest m_Request;
};

} // namespace torvane
