#pragma once

#include <QDialog>

namespace torvane {

class CLinkStatic;

// "バージョン情報": the program icon, name and version text, the notice line and the two links
// ("連絡先", "一次配布先").
class CAboutBox final : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* ContactAddress = "torvane@example.org";
    static constexpr const char* SiteAddress = "https://torvane.example.org/";

    explicit CAboutBox(QWidget* parent = nullptr);

    CLinkStatic* ContactLink() const { return m_Contact; }
    CLinkStatic* SiteLink() const { return m_Site; }

private:
    CLinkStatic* m_Contact;
    CLinkStatic* m_Site;
};

} // namespace torvane
