<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>AccountWindow</name>
    <message>
        <source>Back</source>
        <translation>Назад</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Аккаунт</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>Выйти</translation>
    </message>
    <message>
        <source>Login VPN:</source>
        <translation>Логин VPN:</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Изменить</translation>
    </message>
    <message>
        <source>Renew on site</source>
        <translation>Продлить на сайте</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>Купить подписку VPN на сайте</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>На сайте мы принимаем оплату через различные платёжные системы, включая Bitcoin, PayPal, Yandex Money и другие.</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>Подписка VPN истекает: %1</translation>
    </message>
</context>
<context>
    <name>ConnectWindow</name>
    <message>
        <source>Account</source>
        <translation>Аккаунт</translation>
    </message>
    <message>
        <source>Connection details</source>
        <translation>Сведения о подключении</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>You are not protected</source>
        <translation>Вы не защищены</translation>
    </message>
    <message>
        <source>Connect or disconnect</source>
        <translation>Подключить или отключить</translation>
    </message>
    <message>
        <source>Select VPN Location</source>
        <translation>Выбрать локацию VPN</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>Подписка VPN истекает: %1</translation>
    </message>
    <message>
        <source>Renew it to stay protected.</source>
        <translation>Продлите её, чтобы оставаться под защитой.</translation>
    </message>
    <message>
        <source>Renew subscription</source>
        <translation>Продлить подписку</translation>
    </message>
    <message>
        <source>Firewall does not support on your system.</source>
        <translation>Брандмауэр не поддерживается в вашей системе.</translation>
    </message>
    <message>
        <source>Error of loading of the config.</source>
        <translation>Ошибка загрузки конфигурации.</translation>
    </message>
    <message>
        <source>Error of loading of the certificate.</source>
        <translation>Ошибка загрузки сертификата.</translation>
    </message>
    <message>
        <source>Error of loading of the key.</source>
        <translation>Ошибка загрузки ключа.</translation>
    </message>
    <message>
        <source>The OpenVPN configuration could not be written.</source>
        <translation>Не удалось записать конфигурацию OpenVPN.</translation>
    </message>
    <message>
        <source>Timezone changes does not support on your system.</source>
        <translation>Смена часового пояса не поддерживается в вашей системе.</translation>
    </message>
    <message>
        <source>Timezone is not changed because of no data.</source>
        <translation>Часовой пояс не изменён: нет данных.</translation>
    </message>
    <message>
        <source>You are protected</source>
        <translation>Вы защищены</translation>
    </message>
    <message>
        <source>Show connection</source>
        <translation>Показать сведения о подключении</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Подключение...</translation>
    </message>
</context>
<context>
    <name>Connection</name>
    <message>
        <source>Invalid username or password</source>
        <translation>Неверное имя пользователя или пароль</translation>
    </message>
    <message>
        <source>Not open openvpn socket</source>
        <translation>Не удалось открыть сокет OpenVPN</translation>
    </message>
    <message>
        <source>Can not alocate TUN</source>
        <translation>Не удалось выделить устройство TUN</translation>
    </message>
    <message>
        <source>Can not connect to helper</source>
        <translation>Не удалось подключиться к вспомогательной службе</translation>
    </message>
    <message>
        <source>Can not write to helper</source>
        <translation>Не удалось передать данные вспомогательной службе</translation>
    </message>
    <message>
        <source>Can not find a free local port for OpenVPN</source>
        <translation>Не удалось найти свободный локальный порт для OpenVPN</translation>
    </message>
    <message>
        <source>Proxy requires authentication</source>
        <translation>Прокси-сервер требует аутентификации</translation>
    </message>
    <message>
        <source>Can not send data to the VPN server</source>
        <translation>Не удалось отправить данные на VPN-сервер</translation>
    </message>
    <message>
        <source>Can not complete the connection to the VPN server</source>
        <translation>Не удалось завершить подключение к VPN-серверу</translation>
    </message>
    <message>
        <source>Can not start Brume</source>
        <translation>Не удалось запустить Brume</translation>
    </message>
    <message>
        <source>Code error: %1</source>
        <translation>Код ошибки: %1</translation>
    </message>
</context>
<context>
    <name>FavoriteServerItemDelegate</name>
    <message>
        <source>Favorite</source>
        <translation>Избранное</translation>
    </message>
    <message>
        <source>Recommended</source>
        <translation>Рекомендуем</translation>
    </message>
</context>
<context>
    <name>LoginWindow</name>
    <message>
        <source>Username</source>
        <translation>Имя пользователя</translation>
    </message>
    <message>
        <source>Username </source>
        <translation>Имя пользователя</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Пароль</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Войти</translation>
    </message>
    <message>
        <source>You must enter username and password to sign in.</source>
        <translation>Чтобы войти, введите имя пользователя и пароль.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Wrong Login/Password.</source>
        <translation>Неверное имя пользователя или пароль.</translation>
    </message>
    <message>
        <source>Application has no access to Orvessa</source>
        <translation>Приложению не удаётся связаться с Orvessa.</translation>
    </message>
    <message>
        <source>Application has no access to network.</source>
        <translation>У приложения нет доступа к сети.</translation>
    </message>
    <message>
        <source>Your version is outdated. Please, download new Quarnel app on Orvessa</source>
        <translation>Ваша версия устарела. Пожалуйста, скачайте новое приложение Quarnel на сайте Orvessa.</translation>
    </message>
    <message>
        <source>Quarnel Update</source>
        <translation>Обновление Quarnel</translation>
    </message>
    <message>
        <source>Available new update. Download it?</source>
        <translation>Доступно новое обновление. Скачать его?</translation>
    </message>
    <message>
        <source>Error during downloading update.</source>
        <translation>Ошибка при скачивании обновления.</translation>
    </message>
    <message>
        <source>Error during installing update.</source>
        <translation>Ошибка при установке обновления.</translation>
    </message>
    <message>
        <source>VPN connection is active. 
Disconnect and logout?</source>
        <translation>VPN-подключение активно. 
Отключиться и выйти из аккаунта?</translation>
    </message>
    <message>
        <source>Do you want to logout?</source>
        <translation>Вы действительно хотите выйти из аккаунта?</translation>
    </message>
    <message>
        <source>Logout</source>
        <translation>Выход из аккаунта</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>VPN connection is active. Disconnect and exit?</source>
        <translation>VPN-подключение активно. Отключиться и выйти из приложения?</translation>
    </message>
</context>
<context>
    <name>ProgressDlg</name>
    <message>
        <source>Update</source>
        <translation>Обновление</translation>
    </message>
    <message>
        <source>Downloading update. Please wait...</source>
        <translation>Скачивание обновления. Пожалуйста, подождите...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
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
        <translation>ОК</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Да</translation>
    </message>
</context>
<context>
    <name>SearchEdit</name>
    <message>
        <source>Clear</source>
        <translation>Очистить</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Локация</translation>
    </message>
</context>
<context>
    <name>SelectionAccountWindow</name>
    <message>
        <source>Select VPN login to connect</source>
        <translation>Выберите логин VPN для подключения</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Продолжить</translation>
    </message>
</context>
<context>
    <name>ServerListWindow</name>
    <message>
        <source>Standard VPN</source>
        <translation>Обычный VPN</translation>
    </message>
    <message>
        <source>Double VPN</source>
        <translation>Двойной VPN</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Назад</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>Избранное</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Поиск</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Save and go back</source>
        <translation>Сохранить и вернуться</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Язык:</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
    <message>
        <source>Choose VPN protocol:</source>
        <translation>Выберите протокол VPN:</translation>
    </message>
    <message>
        <source>VPN protocol</source>
        <translation>Протокол VPN</translation>
    </message>
    <message>
        <source>Launch on startup</source>
        <translation>Запускать при входе в систему</translation>
    </message>
    <message>
        <source>Connect to VPN when app is started</source>
        <translation>Подключаться к VPN при запуске</translation>
    </message>
    <message>
        <source>Change timezone using IP address</source>
        <translation>Менять часовой пояс по IP-адресу</translation>
    </message>
    <message>
        <source>After connection to VPN server</source>
        <translation>После подключения к VPN-серверу</translation>
    </message>
    <message>
        <source>Kill switch</source>
        <translation>Kill Switch</translation>
    </message>
    <message>
        <source>IPv4, IPv6, DNS4, DNS6 leaks protection</source>
        <translation>Защита от утечек IPv4, IPv6, DNS4, DNS6</translation>
    </message>
    <message>
        <source>Allow access to local devices</source>
        <translation>Доступ к локальной сети</translation>
    </message>
    <message>
        <source>Printers, routers, etc</source>
        <translation>Принтеры, роутеры и т. п.</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Версия:</translation>
    </message>
</context>
<context>
    <name>ShowLog</name>
    <message>
        <source>Connection Details</source>
        <translation>Сведения о подключении</translation>
    </message>
</context>
<context>
    <name>SubscriptionPurchaseWindow</name>
    <message>
        <source>Account</source>
        <translation>Аккаунт</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>Выйти</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>Купить подписку VPN на сайте</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>На сайте мы принимаем оплату через различные платёжные системы, включая Bitcoin, PayPal, Yandex Money и другие.</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Connected to %1</source>
        <translation>Подключено: %1</translation>
    </message>
    <message>
        <source>Connecting to %1</source>
        <translation>Подключение: %1</translation>
    </message>
    <message>
        <source>Quarnel</source>
        <translation>Quarnel</translation>
    </message>
    <message>
        <source>Your connection is not secured now!</source>
        <translation>Ваше подключение сейчас не защищено!</translation>
    </message>
    <message>
        <source>Connect %1</source>
        <translation>Подключиться: %1</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>Переподключиться</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Отключиться</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Выход</translation>
    </message>
</context>
<context>
    <name>VpnProtocol</name>
    <message>
        <source>OpenVPN TCP (safer)</source>
        <translation>OpenVPN TCP (надёжнее)</translation>
    </message>
    <message>
        <source>OpenVPN UDP (faster)</source>
        <translation>OpenVPN UDP (быстрее)</translation>
    </message>
    <message>
        <source>Imitation HTTPS</source>
        <translation>Маскировка под HTTPS</translation>
    </message>
    <message>
        <source>Brume</source>
        <translation>Brume</translation>
    </message>
</context>
</TS>
