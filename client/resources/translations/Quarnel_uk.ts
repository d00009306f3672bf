<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="uk_UA">
<context>
    <name>AccountWindow</name>
    <message>
        <source>Back</source>
        <translation>Назад</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Обліковий запис</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>Вийти</translation>
    </message>
    <message>
        <source>Login VPN:</source>
        <translation>Логін VPN:</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Змінити</translation>
    </message>
    <message>
        <source>Renew on site</source>
        <translation>Продовжити на сайті</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>Придбати підписку VPN на сайті</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>На сайті ми приймаємо оплату через різні платіжні системи, зокрема Bitcoin, PayPal, Yandex Money та інші.</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>Підписка VPN закінчується: %1</translation>
    </message>
</context>
<context>
    <name>ConnectWindow</name>
    <message>
        <source>Account</source>
        <translation>Обліковий запис</translation>
    </message>
    <message>
        <source>Connection details</source>
        <translation>Відомості про підключення</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Налаштування</translation>
    </message>
    <message>
        <source>You are not protected</source>
        <translation>Ви не захищені</translation>
    </message>
    <message>
        <source>Connect or disconnect</source>
        <translation>Підключити або відключити</translation>
    </message>
    <message>
        <source>Select VPN Location</source>
        <translation>Вибрати локацію VPN</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>Підписка VPN закінчується: %1</translation>
    </message>
    <message>
        <source>Renew it to stay protected.</source>
        <translation>Продовжте її, щоб залишатися під захистом.</translation>
    </message>
    <message>
        <source>Renew subscription</source>
        <translation>Продовжити підписку</translation>
    </message>
    <message>
        <source>Firewall does not support on your system.</source>
        <translation>Брандмауер не підтримується у вашій системі.</translation>
    </message>
    <message>
        <source>Error of loading of the config.</source>
        <translation>Помилка завантаження конфігурації.</translation>
    </message>
    <message>
        <source>Error of loading of the certificate.</source>
        <translation>Помилка завантаження сертифіката.</translation>
    </message>
    <message>
        <source>Error of loading of the key.</source>
        <translation>Помилка завантаження ключа.</translation>
    </message>
    <message>
        <source>The OpenVPN configuration could not be written.</source>
        <translation>Не вдалося записати конфігурацію OpenVPN.</translation>
    </message>
    <message>
        <source>Timezone changes does not support on your system.</source>
        <translation>Зміна часового поясу не підтримується у вашій системі.</translation>
    </message>
    <message>
        <source>Timezone is not changed because of no data.</source>
        <translation>Часовий пояс не змінено: немає даних.</translation>
    </message>
    <message>
        <source>You are protected</source>
        <translation>Ви захищені</translation>
    </message>
    <message>
        <source>Show connection</source>
        <translation>Показати відомості про підключення</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Підключення...</translation>
    </message>
</context>
<context>
    <name>Connection</name>
    <message>
        <source>Invalid username or password</source>
        <translation>Неправильне ім’я користувача або пароль</translation>
    </message>
    <message>
        <source>Not open openvpn socket</source>
        <translation>Не вдалося відкрити сокет OpenVPN</translation>
    </message>
    <message>
        <source>Can not alocate TUN</source>
        <translation>Не вдалося виділити пристрій TUN</translation>
    </message>
    <message>
        <source>Can not connect to helper</source>
        <translation>Не вдалося підключитися до допоміжної служби</translation>
    </message>
    <message>
        <source>Can not write to helper</source>
        <translation>Не вдалося передати дані допоміжній службі</translation>
    </message>
    <message>
        <source>Can not find a free local port for OpenVPN</source>
        <translation>Не вдалося знайти вільний локальний порт для OpenVPN</translation>
    </message>
    <message>
        <source>Proxy requires authentication</source>
        <translation>Проксі-сервер вимагає автентифікації</translation>
    </message>
    <message>
        <source>Can not send data to the VPN server</source>
        <translation>Не вдалося надіслати дані на VPN-сервер</translation>
    </message>
    <message>
        <source>Can not complete the connection to the VPN server</source>
        <translation>Не вдалося завершити підключення до VPN-сервера</translation>
    </message>
    <message>
        <source>Can not start Brume</source>
        <translation>Не вдалося запустити Brume</translation>
    </message>
    <message>
        <source>Code error: %1</source>
        <translation>Код помилки: %1</translation>
    </message>
</context>
<context>
    <name>FavoriteServerItemDelegate</name>
    <message>
        <source>Favorite</source>
        <translation>Обране</translation>
    </message>
    <message>
        <source>Recommended</source>
        <translation>Рекомендуємо</translation>
    </message>
</context>
<context>
    <name>LoginWindow</name>
    <message>
        <source>Username</source>
        <translation>Ім’я користувача</translation>
    </message>
    <message>
        <source>Username </source>
        <translation>Ім’я користувача</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Пароль</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Увійти</translation>
    </message>
    <message>
        <source>You must enter username and password to sign in.</source>
        <translation>Щоб увійти, введіть ім’я користувача та пароль.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Wrong Login/Password.</source>
        <translation>Неправильне ім’я користувача або пароль.</translation>
    </message>
    <message>
        <source>Application has no access to Orvessa</source>
        <translation>Застосунку не вдається зв’язатися з Orvessa.</translation>
    </message>
    <message>
        <source>Application has no access to network.</source>
        <translation>Застосунок не має доступу до мережі.</translation>
    </message>
    <message>
        <source>Your version is outdated. Please, download new Quarnel app on Orvessa</source>
        <translation>Ваша версія застаріла. Будь ласка, завантажте новий застосунок Quarnel на сайті Orvessa.</translation>
    </message>
    <message>
        <source>Quarnel Update</source>
        <translation>Оновлення Quarnel</translation>
    </message>
    <message>
        <source>Available new update. Download it?</source>
        <translation>Доступне нове оновлення. Завантажити його?</translation>
    </message>
    <message>
        <source>Error during downloading update.</source>
        <translation>Помилка під час завантаження оновлення.</translation>
    </message>
    <message>
        <source>Error during installing update.</source>
        <translation>Помилка під час встановлення оновлення.</translation>
    </message>
    <message>
        <source>VPN connection is active. 
Disconnect and logout?</source>
        <translation>VPN-підключення активне. 
Відключитися й вийти з облікового запису?</translation>
    </message>
    <message>
        <source>Do you want to logout?</source>
        <translation>Ви справді хочете вийти з облікового запису?</translation>
    </message>
    <message>
        <source>Logout</source>
        <translation>Вихід з облікового запису</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Вихід</translation>
    </message>
    <message>
        <source>VPN connection is active. Disconnect and exit?</source>
        <translation>VPN-підключення активне. Відключитися й вийти із застосунку?</translation>
    </message>
</context>
<context>
    <name>ProgressDlg</name>
    <message>
        <source>Update</source>
        <translation>Оновлення</translation>
    </message>
    <message>
        <source>Downloading update. Please wait...</source>
        <translation>Завантаження оновлення. Будь ласка, зачекайте...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Скасувати</translation>
    </message>
</context>
<context>
    <name>QGuiApplication</name>
    <message>
        <source>QT_LAYOUT_DIRECTION</source>
        <translation>LTR</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Скасувати</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Ні</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Так</translation>
    </message>
</context>
<context>
    <name>SearchEdit</name>
    <message>
        <source>Clear</source>
        <translation>Очистити</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Локація</translation>
    </message>
</context>
<context>
    <name>SelectionAccountWindow</name>
    <message>
        <source>Select VPN login to connect</source>
        <translation>Виберіть логін VPN для підключення</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Продовжити</translation>
    </message>
</context>
<context>
    <name>ServerListWindow</name>
    <message>
        <source>Standard VPN</source>
        <translation>Звичайний</translation>
    </message>
    <message>
        <source>Double VPN</source>
        <translation>Подвійний</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Назад</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>Обране</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Пошук</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Save and go back</source>
        <translation>Зберегти й повернутися</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Налаштування</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Мова:</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Мова</translation>
    </message>
    <message>
        <source>Choose VPN protocol:</source>
        <translation>Виберіть протокол VPN:</translation>
    </message>
    <message>
        <source>VPN protocol</source>
        <translation>Протокол VPN</translation>
    </message>
    <message>
        <source>Launch on startup</source>
        <translation>Запускати разом із системою</translation>
    </message>
    <message>
        <source>Connect to VPN when app is started</source>
        <translation>Підключати VPN під час запуску</translation>
    </message>
    <message>
        <source>Change timezone using IP address</source>
        <translation>Змінювати часовий пояс за IP</translation>
    </message>
    <message>
        <source>After connection to VPN server</source>
        <translation>Після підключення до VPN-сервера</translation>
    </message>
    <message>
        <source>Kill switch</source>
        <translation>Kill Switch</translation>
    </message>
    <message>
        <source>IPv4, IPv6, DNS4, DNS6 leaks protection</source>
        <translation>Захист від витоків IPv4, IPv6, DNS4, DNS6</translation>
    </message>
    <message>
        <source>Allow access to local devices</source>
        <translation>Доступ до локальних пристроїв</translation>
    </message>
    <message>
        <source>Printers, routers, etc</source>
        <translation>Принтери, роутери тощо</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Версія:</translation>
    </message>
</context>
<context>
    <name>ShowLog</name>
    <message>
        <source>Connection Details</source>
        <translation>Відомості про підключення</translation>
    </message>
</context>
<context>
    <name>SubscriptionPurchaseWindow</name>
    <message>
        <source>Account</source>
        <translation>Обліковий запис</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>Вийти</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>Придбати підписку VPN на сайті</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>На сайті ми приймаємо оплату через різні платіжні системи, зокрема Bitcoin, PayPal, Yandex Money та інші.</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Connected to %1</source>
        <translation>Підключено: %1</translation>
    </message>
    <message>
        <source>Connecting to %1</source>
        <translation>Підключення: %1</translation>
    </message>
    <message>
        <source>Quarnel</source>
        <translation>Quarnel</translation>
    </message>
    <message>
        <source>Your connection is not secured now!</source>
        <translation>Ваше підключення зараз не захищене!</translation>
    </message>
    <message>
        <source>Connect %1</source>
        <translation>Підключитися: %1</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>Перепідключитися</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Відключитися</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Вихід</translation>
    </message>
</context>
<context>
    <name>VpnProtocol</name>
    <message>
        <source>OpenVPN TCP (safer)</source>
        <translation>OpenVPN TCP (надійніше)</translation>
    </message>
    <message>
        <source>OpenVPN UDP (faster)</source>
        <translation>OpenVPN UDP (швидше)</translation>
    </message>
    <message>
        <source>Imitation HTTPS</source>
        <translation>Маскування під HTTPS</translation>
    </message>
    <message>
        <source>Brume</source>
        <translation>Brume</translation>
    </message>
</context>
</TS>
