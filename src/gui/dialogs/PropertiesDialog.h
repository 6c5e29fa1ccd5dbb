#pragma once

#include <QDialog>
#include <QString>

#include <string>

namespace torvane {

class CListData;

// The facts of a record that the file system does not know, kept as texts so the window does
// not depend on the record living on.
struct StreamFacts {
    QString Type;
    QString Time;
    QString BitRate;
    QString SamplingRate;

    static StreamFacts Of(const CListData& record);
};

// The properties of one file when no file manager shows them: path, folder, size in bytes,
// modified time, permissions, MIME type and the record's stream facts. A window of its own that
// closes itself away.
class CPropertiesDialog final : public QDialog {
    Q_OBJECT
public:
    // path is the file's bytes, which every fact is read through; shownPath is only shown.
    CPropertiesDialog(const std::string& path, const QString& shownPath, const StreamFacts& facts,
                      QWidget* parent = nullptr);

    // The value shown beside a label, for tests; empty when there is no such row.
    QString Value(const QString& label) const;
};

} // namespace torvane
