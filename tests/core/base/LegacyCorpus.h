#pragma once

#include <span>
#include <string_view>

namespace torvane::test {

// Real titles, artists, albums and a few comments, as tags hold them, in the languages whose
// Windows code pages wrote legacy tags. The corpus test encodes them into ID3v1 and ID3v2 tags
// in each code page and reads them back.
struct CorpusTrack {
    std::string_view Title;
    std::string_view Artist;
    std::string_view Album;
    std::string_view Comment = {};
};

struct CorpusLanguage {
    std::string_view Name;
    std::span<const std::string_view> CodePages; // iconv names
    std::span<const CorpusTrack> Tracks;
};

namespace corpus {

// Half-width katakana and the NEC specials (①, ㈱) among them, as Japanese Windows wrote them.
inline constexpr CorpusTrack Japanese[] = {
    {"夜に駆ける", "YOASOBI", "THE BOOK"},
    {"Lemon", "米津玄師", "STRAY SHEEP"},
    {"残酷な天使のテーゼ", "高橋洋子", "残酷な天使のテーゼ/FLY ME TO THE MOON"},
    {"世界に一つだけの花", "SMAP", "SMAP 015/Drink! Smap!"},
    {"千本桜", "黒うさP feat. 初音ミク", "ボーカロイド名曲集①"},
    {"First Love", "宇多田ヒカル", "First Love"},
    {"ﾃｽﾄ曲①", "ｻﾝﾌﾟﾙ", "ﾃｽﾄ盤"},
    {"ﾗｲｵﾝ", "ｼｪﾘﾙ・ﾉｰﾑ&ﾗﾝｶ・ﾘｰ", "ﾏｸﾛｽF ｻｳﾝﾄﾞﾄﾗｯｸ"},
    {"さくら（独唱）", "森山直太朗", "乾いた唄は魚の餌にちょうどいい"},
    {"海の声", "浦島太郎（桐谷健太）", "海の声"},
    {"恋", "星野源", "恋", "㈱ビクターエンタテインメント"},
    {"紅蓮華", "LiSA", "LEO-NiNE"},
    {"上を向いて歩こう", "坂本九", "上を向いて歩こう"},
    {"川の流れのように", "美空ひばり", "川の流れのように"},
    {"津軽海峡・冬景色", "石川さゆり", "365日恋もよう"},
    {"なごり雪", "イルカ", "植物誌"},
    {"TSUNAMI", "サザンオールスターズ", "TSUNAMI"},
    {"ロビンソン", "スピッツ", "ハチミツ"},
    {"チェリー", "スピッツ", "インディゴ地平線"},
    {"天体観測", "BUMP OF CHICKEN", "jupiter"},
    {"マリーゴールド", "あいみょん", "瞬間的シックスセンス"},
    {"白日", "King Gnu", "Sympa"},
    {"前前前世", "RADWIMPS", "君の名は。"},
    {"春よ、来い", "松任谷由実", "THE DANCING SUN"},
    {"ドラえもんのうた", "大杉久美子", "ドラえもん ｿﾝｸﾞ集"},
    {"ｶﾞｯﾁｬﾏﾝの歌", "子門真人", "ｱﾆﾒ主題歌大全集②"},
    {"ｳﾙﾄﾗｾﾌﾞﾝの歌", "みすず児童合唱団", "ｳﾙﾄﾗﾏﾝ ﾍﾞｽﾄ"},
    {"宙船", "TOKIO", "Harvest"},
    {"もののけ姫", "米良美一", "もののけ姫 サウンドトラック"},
    {"君をのせて", "井上あずみ", "天空の城ラピュタ"},
    {"ルージュの伝言", "荒井由実", "COBALT HOUR"},
    {"贈る言葉", "海援隊", "贈る言葉", "①-03"},
    {"木綿のハンカチーフ", "太田裕美", "心が風邪をひいた日"},
    {"赤いスイートピー", "松田聖子", "Pineapple"},
    {"悲しい色やね", "上田正樹", "POOR MAN'S BREAKFAST"},
    {"つつみ込むように…", "MISIA", "Mother Father Brother Sister"},
    {"異邦人", "久保田早紀", "夢がたり"},
    {"時の流れに身をまかせ", "テレサ・テン", "ｺﾞｰﾙﾃﾞﾝ☆ﾍﾞｽﾄ"},
    {"六甲おろし", "阪神タイガース応援団", "ﾀｲｶﾞｰｽ応援歌集"},
    {"およげ!たいやきくん", "子門真人", "およげ!たいやきくん", "㈱ポニーキャニオン"},
};

inline constexpr CorpusTrack SimplifiedChinese[] = {
    {"月亮代表我的心", "邓丽君", "邓丽君金曲精选"},
    {"甜蜜蜜", "邓丽君", "甜蜜蜜"},
    {"后来", "刘若英", "我等你"},
    {"童话", "光良", "童话"},
    {"老鼠爱大米", "杨臣刚", "老鼠爱大米"},
    {"小苹果", "筷子兄弟", "小苹果"},
    {"平凡之路", "朴树", "猎户星座"},
    {"成都", "赵雷", "无法长大"},
    {"演员", "薛之谦", "绅士"},
    {"青花瓷", "周杰伦", "我很忙"},
    {"稻香", "周杰伦", "魔杰座"},
    {"晴天", "周杰伦", "叶惠美"},
    {"遇见", "孙燕姿", "The Moment"},
    {"传奇", "王菲", "传奇"},
    {"红豆", "王菲", "唱游"},
    {"吻别", "张学友", "吻别"},
    {"忘情水", "刘德华", "忘情水"},
    {"一无所有", "崔健", "新长征路上的摇滚"},
    {"江南", "林俊杰", "第二天堂"},
    {"十年", "陈奕迅", "黑白灰"},
    {"光辉岁月", "Beyond", "命运派对"},
    {"海阔天空", "Beyond", "乐与怒"},
    {"菊花台", "周杰伦", "依然范特西"},
    {"小幸运", "田馥甄", "我的少女时代 电影原声带"},
    {"大海", "张雨生", "大海"},
    {"朋友", "周华健", "朋友"},
    {"少年", "梦然", "少年"},
    {"起风了", "买辣椒也用券", "起风了"},
    {"北京欢迎你", "群星", "北京欢迎你"},
    {"茉莉花", "宋祖英", "中国民歌精选"},
    {"在希望的田野上", "彭丽媛", "中国民歌"},
    {"我的祖国", "郭兰英", "上甘岭 电影插曲"},
};

inline constexpr CorpusTrack TraditionalChinese[] = {
    {"月亮代表我的心", "鄧麗君", "鄧麗君金曲精選"},
    {"甜蜜蜜", "鄧麗君", "甜蜜蜜"},
    {"童話", "光良", "童話"},
    {"晴天", "周杰倫", "葉惠美"},
    {"稻香", "周杰倫", "魔杰座"},
    {"吻別", "張學友", "吻別"},
    {"忘情水", "劉德華", "忘情水"},
    {"光輝歲月", "Beyond", "命運派對"},
    {"海闊天空", "Beyond", "樂與怒"},
    {"小幸運", "田馥甄", "我的少女時代 電影原聲帶"},
    {"戀愛ing", "五月天", "為愛而生"},
    {"倔強", "五月天", "神的孩子都在跳舞"},
    {"後來", "劉若英", "我等你"},
    {"愛我別走", "張震嶽", "祕密基地"},
    {"聽海", "張惠妹", "Bad Boy"},
    {"至少還有你", "林憶蓮", "至少還有你"},
    {"小情歌", "蘇打綠", "小宇宙"},
    {"外婆的澎湖灣", "潘安邦", "外婆的澎湖灣"},
    {"鹿港小鎮", "羅大佑", "之乎者也"},
    {"童年", "羅大佑", "之乎者也"},
    {"愛的代價", "李宗盛", "生命中的精靈"},
    {"山丘", "李宗盛", "山丘"},
    {"流浪到淡水", "金門王與李炳輝", "流浪到淡水"},
    {"我只在乎你", "鄧麗君", "我只在乎你"},
    {"紅豆", "王菲", "唱遊"},
    {"傳奇", "王菲", "傳奇"},
    {"十年", "陳奕迅", "黑白灰"},
    {"江南", "林俊傑", "第二天堂"},
    {"遇見", "孫燕姿", "The Moment"},
    {"寶貝", "張懸", "My Life Will..."},
};

inline constexpr CorpusTrack Korean[] = {
    {"강남스타일", "싸이", "싸이6甲"},
    {"사랑했지만", "김광석", "김광석 다시부르기 II"},
    {"서른 즈음에", "김광석", "다섯번째 이야기"},
    {"이등병의 편지", "김광석", "다시부르기 I"},
    {"좋은 날", "아이유", "Real"},
    {"밤편지", "아이유", "밤편지"},
    {"봄날", "방탄소년단", "YOU NEVER WALK ALONE"},
    {"피 땀 눈물", "방탄소년단", "WINGS"},
    {"벚꽃 엔딩", "버스커 버스커", "버스커 버스커 1집"},
    {"아리랑", "민요", "한국 민요 모음"},
    {"난 알아요", "서태지와 아이들", "서태지와 아이들"},
    {"하여가", "서태지와 아이들", "서태지와 아이들 2"},
    {"거짓말", "빅뱅", "Always"},
    {"소주 한 잔", "임창정", "Bye"},
    {"사랑비", "김태우", "T-SOUL"},
    {"너를 만나", "폴킴", "너를 만나"},
    {"가시나", "선미", "가시나"},
    {"보고 싶다", "김범수", "Remember"},
    {"첫눈처럼 너에게 가겠다", "에일리", "도깨비 OST"},
    {"눈의 꽃", "박효신", "미안하다 사랑한다 OST"},
    {"그대에게", "신해철", "무한궤도"},
    {"내 사랑 내 곁에", "김현식", "김현식 6집"},
    {"여름 안에서", "듀스", "Deux Forever"},
    {"걱정말아요 그대", "이적", "고독의 의미"},
    {"사건의 지평선", "윤하", "END THEORY"},
    {"동백 아가씨", "이미자", "동백 아가씨"},
    {"나 항상 그대를", "이선희", "이선희 5집"},
    {"붉은 노을", "이문세", "이문세 5집"},
    {"광화문 연가", "이문세", "이문세 4집"},
    {"고래사냥", "송창식", "바보들의 행진 OST"},
};

inline constexpr CorpusTrack Russian[] = {
    {"Группа крови", "Кино", "Группа крови"},
    {"Звезда по имени Солнце", "Кино", "Звезда по имени Солнце"},
    {"Кукушка", "Кино", "Чёрный альбом"},
    {"Перемен", "Кино", "Последний герой"},
    {"Я свободен", "Кипелов", "Смутное время"},
    {"Катюша", "Лидия Русланова", "Русские народные песни"},
    {"Калинка", "Хор Пятницкого", "Русские песни"},
    {"Миллион алых роз", "Алла Пугачёва", "Как тревожен этот путь"},
    {"Владимирский централ", "Михаил Круг", "Мадам"},
    {"Город золотой", "Аквариум", "Десять стрел"},
    {"Всё идёт по плану", "Гражданская оборона", "Всё идёт по плану"},
    {"Районы-кварталы", "Звери", "Районы-кварталы"},
    {"Нас не догонят", "t.A.T.u.", "200 по встречной"},
    {"Я сошла с ума", "t.A.T.u.", "200 по встречной"},
    {"Полковнику никто не пишет", "Би-2", "Би-2"},
    {"Выхода нет", "Сплин", "Гранатовый альбом"},
    {"Ой, то не вечер", "Мельница", "Дороги сна"},
    {"Чёрный ворон", "Казачий хор", "Казачьи песни"},
    {"Конь", "Любэ", "Песни о людях"},
    {"Комбат", "Любэ", "Комбат"},
    {"Белые розы", "Ласковый май", "Белые розы"},
    {"Луч солнца золотого", "Муслим Магомаев", "Бременские музыканты"},
    {"Подмосковные вечера", "Владимир Трошин", "Подмосковные вечера"},
    {"Очи чёрные", "Фёдор Шаляпин", "Русские романсы"},
    {"Спокойная ночь", "Кино", "Группа крови"},
    {"Осень", "ДДТ", "Актриса весна"},
    {"Что такое осень", "ДДТ", "Актриса весна"},
    {"Ветер", "ДДТ", "Пластун"},
    {"Утренняя гимнастика", "Владимир Высоцкий", "Песни"},
    {"Кони привередливые", "Владимир Высоцкий", "Нерв"},
};

// Polish, Czech, Slovak and Hungarian.
inline constexpr CorpusTrack CentralEuropean[] = {
    {"Jolka, Jolka pamiętasz", "Budka Suflera", "Przechodniem byłem między wami"},
    {"Dziwny jest ten świat", "Czesław Niemen", "Dziwny jest ten świat"},
    {"Kocham wolność", "Chłopcy z Placu Broni", "O! Ela"},
    {"Autobiografia", "Perfect", "Perfect"},
    {"Wehikuł czasu", "Dżem", "Akustycznie"},
    {"Nie płacz Ewka", "Perfect", "Unu"},
    {"Przeżyj to sam", "Lombard", "Wolne od cła"},
    {"Długość dźwięku samotności", "Myslovitz", "Miłość w czasach popkultury"},
    {"Zegarmistrz światła", "Tadeusz Woźniak", "Zegarmistrz światła"},
    {"Sen o Warszawie", "Czesław Niemen", "Sukces"},
    {"Małomiasteczkowy", "Dawid Podsiadło", "Małomiasteczkowy"},
    {"Být stále mlád", "Karel Gott", "Karel Gott zpívá"},
    {"Včelka Mája", "Karel Gott", "Zlatá kolekce"},
    {"Jožin z bažin", "Ivan Mládek", "Jožin z bažin"},
    {"Holubí dům", "Jiří Schelinger", "Zlatá deska"},
    {"Modlitba pro Martu", "Marta Kubišová", "Songy a balady"},
    {"Když mě brali za vojáka", "Jaromír Nohavica", "Darmoděj"},
    {"Řekni, kde ty kytky jsou", "Marta Kubišová", "Řekni, kde ty kytky jsou"},
    {"Půlnoční", "Václav Neckář", "Půlnoční"},
    {"Voda, čo ma drží nad vodou", "Elán", "Hodina slovenčiny"},
    {"Ľúbim ťa", "Miroslav Žbirka", "Doktor Jekyll"},
    {"Gyöngyhajú lány", "Omega", "10000 lépés"},
    {"Szeretlek is, meg nem is", "Koncz Zsuzsa", "Élünk és meghalunk"},
    {"Tavaszi szél vizet áraszt", "Sebestyén Márta", "Magyar népdalok"},
    {"Csak egy tánc volt", "Republic", "Ki ez a nő?"},
    {"Ezt a földet választottam", "Ihász Gábor", "Ihász Gábor legszebb dalai"},
    {"Kötéltánc", "Hooligans", "Privát Mennyország"},
    {"Most élsz", "Follow The Flow", "Most élsz"},
    {"Szállj el kismadár", "Kormorán", "Kelj fel"},
    {"Ébredj fel", "Quimby", "Kilégzés"},
};

inline constexpr CorpusTrack Greek[] = {
    {"Τα παιδιά του Πειραιά", "Μελίνα Μερκούρη", "Ποτέ την Κυριακή"},
    {"Ζορμπάς", "Μίκης Θεοδωράκης", "Ζορμπάς ο Έλληνας"},
    {"Συννεφιασμένη Κυριακή", "Βασίλης Τσιτσάνης", "Τσιτσάνης"},
    {"Φραγκοσυριανή", "Μάρκος Βαμβακάρης", "Ρεμπέτικα"},
    {"Σ' αγαπώ", "Άννα Βίσση", "Κραυγή"},
    {"Ένα το χελιδόνι", "Γρηγόρης Μπιθικώτσης", "Άξιον Εστί"},
    {"Η μπαλάντα του Ούρι", "Μάνος Χατζιδάκις", "Ο μεγάλος ερωτικός"},
    {"Όλα σε θυμίζουν", "Νίκος Βέρτης", "Όλα σε θυμίζουν"},
    {"Θάλασσα", "Σάκης Ρουβάς", "Ολα καλά"},
    {"Δυο πόρτες έχει η ζωή", "Στέλιος Καζαντζίδης", "Λαϊκά τραγούδια"},
    {"Το τελευταίο βράδυ μου", "Γιάννης Πάριος", "Τα νησιώτικα"},
    {"Αχ Ελλάδα σ' αγαπώ", "Γιάννης Πάριος", "Ελληνικά"},
    {"Μη μου θυμώνεις μάτια μου", "Χάρις Αλεξίου", "Λαϊκά"},
    {"Σαββατόβραδο", "Σταμάτης Κραουνάκης", "Κυκλοφορώ κι οπλοφορώ"},
    {"Άσπρη μέρα", "Νίκος Ξυλούρης", "Ριζίτικα"},
    {"Ο δρόμος", "Γιώργος Νταλάρας", "Τα τραγούδια μου"},
    {"Καρδιά μου καημένη", "Σταμάτης Κόκοτας", "Επιτυχίες"},
    {"Μισιρλού", "Ρεμπέτικη Κομπανία", "Ρεμπέτικα"},
    {"Άρνηση", "Γρηγόρης Μπιθικώτσης", "Επιφάνεια"},
    {"Τα τρένα που φύγαν", "Γιώργος Νταλάρας", "Μικρά Ασία"},
    {"Φεύγω", "Πέγκυ Ζήνα", "Ανάσα"},
    {"Αγάπη μου", "Έλενα Παπαρίζου", "Γιορτή"},
    {"Νύχτα στάσου", "Μαρινέλλα", "Μαρινέλλα"},
    {"Σήκω χόρεψε συρτάκι", "Γιώργος Ζαμπέτας", "Συρτάκι"},
    {"Ο χάρος βγήκε παγανιά", "Νίκος Ξυλούρης", "Ανυπότακτη Κρήτη"},
};

// French, German, Spanish, Portuguese and Nordic.
inline constexpr CorpusTrack Western[] = {
    {"Non, je ne regrette rien", "Édith Piaf", "Non, je ne regrette rien"},
    {"La Vie en rose", "Édith Piaf", "La Vie en rose"},
    {"Ne me quitte pas", "Jacques Brel", "La Valse à mille temps"},
    {"Là-bas", "Jean-Jacques Goldman", "Entre gris clair et gris foncé"},
    {"Écris l'histoire", "Grégory Lemarchal", "Je deviens moi"},
    {"Tous les garçons et les filles", "Françoise Hardy", "Françoise Hardy"},
    {"Ça plane pour moi", "Plastic Bertrand", "AN1"},
    {"Papaoutai", "Stromae", "Racine carrée"},
    {"Sur le pont d'Avignon", "Chœur d'enfants", "Comptines françaises"},
    {"Les Champs-Élysées", "Joe Dassin", "Les Champs-Élysées"},
    {"Über den Wolken", "Reinhard Mey", "Mein achtel Lorbeerblatt"},
    {"Männer", "Herbert Grönemeyer", "4630 Bochum"},
    {"Atemlos durch die Nacht", "Helene Fischer", "Farbenspiel"},
    {"Schrei nach Liebe", "Die Ärzte", "Die Bestie in Menschengestalt"},
    {"Für Elise", "Ludwig van Beethoven", "Klavierstücke"},
    {"Mädchen", "Lucilectric", "Mädchen"},
    {"Skandal im Sperrbezirk", "Spider Murphy Gang", "Dolce Vita"},
    {"Weißt du, wieviel Sternlein stehen", "Kinderchor", "Schlaflieder"},
    {"Bésame mucho", "Consuelo Velázquez", "Boleros"},
    {"Cielito lindo", "Pedro Infante", "Éxitos"},
    {"Corazón espinado", "Santana", "Supernatural"},
    {"Canción del mariachi", "Antonio Banderas", "Desperado"},
    {"Échame la culpa", "Luis Fonsi", "Vida"},
    {"Mañana de carnaval", "Luiz Bonfá", "Orfeu Negro"},
    {"Garota de Ipanema", "João Gilberto", "Getz/Gilberto"},
    {"Águas de março", "Elis Regina", "Elis & Tom"},
    {"Jóga", "Björk", "Homogenic"},
    {"Hoppípolla", "Sigur Rós", "Takk..."},
    {"Främling", "Carola", "Främling"},
    {"Søndag morgen", "Kim Larsen", "Midt om natten"},
};

// Tags written with ASCII alone read alike in every code page.
inline constexpr CorpusTrack English[] = {
    {"Bohemian Rhapsody", "Queen", "A Night at the Opera"},
    {"Hotel California", "Eagles", "Hotel California"},
    {"Imagine", "John Lennon", "Imagine"},
    {"Smells Like Teen Spirit", "Nirvana", "Nevermind"},
    {"Billie Jean", "Michael Jackson", "Thriller"},
    {"Dancing Queen", "ABBA", "Arrival"},
    {"Like a Rolling Stone", "Bob Dylan", "Highway 61 Revisited"},
    {"Wonderwall", "Oasis", "(What's the Story) Morning Glory?"},
};

inline constexpr std::string_view JapaneseCodePages[] = {"CP932", "EUC-JP"};
inline constexpr std::string_view SimplifiedCodePages[] = {"GBK"};
inline constexpr std::string_view TraditionalCodePages[] = {"CP950"};
inline constexpr std::string_view KoreanCodePages[] = {"CP949"};
inline constexpr std::string_view CyrillicCodePages[] = {"CP1251"};
inline constexpr std::string_view CentralCodePages[] = {"CP1250"};
inline constexpr std::string_view GreekCodePages[] = {"CP1253"};
inline constexpr std::string_view WesternCodePages[] = {"CP1252"};
inline constexpr std::string_view AsciiCodePages[] = {"CP932"};

} // namespace corpus

// Every language in its code pages; each is also written as UTF-8, as taggers that ignored the
// ID3 encodings did.
inline constexpr CorpusLanguage Corpus[] = {
    {"Japanese", corpus::JapaneseCodePages, corpus::Japanese},
    {"Simplified Chinese", corpus::SimplifiedCodePages, corpus::SimplifiedChinese},
    {"Traditional Chinese", corpus::TraditionalCodePages, corpus::TraditionalChinese},
    {"Korean", corpus::KoreanCodePages, corpus::Korean},
    {"Russian", corpus::CyrillicCodePages, corpus::Russian},
    {"Central European", corpus::CentralCodePages, corpus::CentralEuropean},
    {"Greek", corpus::GreekCodePages, corpus::Greek},
    {"Western European", corpus::WesternCodePages, corpus::Western},
    {"English", corpus::AsciiCodePages, corpus::English},
};

} // namespace torvane::test
