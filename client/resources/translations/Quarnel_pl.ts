<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL">
<context>
    <name>AccountWindow</name>
    <message>
        <source>Back</source>
        <translation>Wstecz</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Konto</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>Wyloguj się</translation>
    </message>
    <message>
        <source>Login VPN:</source>
        <translation>Login VPN:</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Zmień</translation>
    </message>
    <message>
        <source>Renew on site</source>
        <translation>Odnów na stronie</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>Kup subskrypcję VPN na stronie</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>Na stronie przyjmujemy płatności za pośrednictwem różnych systemów płatniczych, m.in. Bitcoin, PayPal, Yandex Money i innych.</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>Subskrypcja VPN ważna do: %1</translation>
    </message>
</context>
<context>
    <name>ConnectWindow</name>
    <message>
        <source>Account</source>
        <translation>Konto</translation>
    </message>
    <message>
        <source>Connection details</source>
        <translation>Szczegóły połączenia</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ustawienia</translation>
    </message>
    <message>
        <source>You are not protected</source>
        <translation>Nie jesteś chroniony</translation>
    </message>
    <message>
        <source>Connect or disconnect</source>
        <translation>Połącz lub rozłącz</translation>
    </message>
    <message>
        <source>Select VPN Location</source>
        <translation>Wybierz lokalizację VPN</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>Subskrypcja VPN ważna do: %1</translation>
    </message>
    <message>
        <source>Renew it to stay protected.</source>
        <translation>Odnów ją, aby nadal być chronionym.</translation>
    </message>
    <message>
        <source>Renew subscription</source>
        <translation>Odnów subskrypcję</translation>
    </message>
    <message>
        <source>Firewall does not support on your system.</source>
        <translation>Zapora sieciowa nie jest obsługiwana w tym systemie.</translation>
    </message>
    <message>
        <source>Error of loading of the config.</source>
        <translation>Błąd wczytywania konfiguracji.</translation>
    </message>
    <message>
        <source>Error of loading of the certificate.</source>
        <translation>Błąd wczytywania certyfikatu.</translation>
    </message>
    <message>
        <source>Error of loading of the key.</source>
        <translation>Błąd wczytywania klucza.</translation>
    </message>
    <message>
        <source>The OpenVPN configuration could not be written.</source>
        <translation>Nie udało się zapisać konfiguracji OpenVPN.</translation>
    </message>
    <message>
        <source>Timezone changes does not support on your system.</source>
        <translation>Zmiana strefy czasowej nie jest obsługiwana w tym systemie.</translation>
    </message>
    <message>
        <source>Timezone is not changed because of no data.</source>
        <translation>Strefa czasowa nie została zmieniona z powodu braku danych.</translation>
    </message>
    <message>
        <source>You are protected</source>
        <translation>Jesteś chroniony</translation>
    </message>
    <message>
        <source>Show connection</source>
        <translation>Pokaż szczegóły połączenia</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Łączenie...</translation>
    </message>
</context>
<context>
    <name>Connection</name>
    <message>
        <source>Invalid username or password</source>
        <translation>Nieprawidłowa nazwa użytkownika lub hasło</translation>
    </message>
    <message>
        <source>Not open openvpn socket</source>
        <translation>Nie można otworzyć gniazda OpenVPN</translation>
    </message>
    <message>
        <source>Can not alocate TUN</source>
        <translation>Nie można przydzielić urządzenia TUN</translation>
    </message>
    <message>
        <source>Can not connect to helper</source>
        <translation>Nie można połączyć się z usługą pomocniczą</translation>
    </message>
    <message>
        <source>Can not write to helper</source>
        <translation>Nie można przesłać danych do usługi pomocniczej</translation>
    </message>
    <message>
        <source>Can not find a free local port for OpenVPN</source>
        <translation>Nie można znaleźć wolnego portu lokalnego dla OpenVPN</translation>
    </message>
    <message>
        <source>Proxy requires authentication</source>
        <translation>Serwer proxy wymaga uwierzytelnienia</translation>
    </message>
    <message>
        <source>Can not send data to the VPN server</source>
        <translation>Nie można wysłać danych do serwera VPN</translation>
    </message>
    <message>
        <source>Can not complete the connection to the VPN server</source>
        <translation>Nie można dokończyć nawiązywania połączenia z serwerem VPN</translation>
    </message>
    <message>
        <source>Can not start Brume</source>
        <translation>Nie można uruchomić Brume</translation>
    </message>
    <message>
        <source>Code error: %1</source>
        <translation>Kod błędu: %1</translation>
    </message>
</context>
<context>
    <name>FavoriteServerItemDelegate</name>
    <message>
        <source>Favorite</source>
        <translation>Ulubiony</translation>
    </message>
    <message>
        <source>Recommended</source>
        <translation>Polecany</translation>
    </message>
</context>
<context>
    <name>LoginWindow</name>
    <message>
        <source>Username</source>
        <translation>Nazwa użytkownika</translation>
    </message>
    <message>
        <source>Username </source>
        <translation>Nazwa użytkownika</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Hasło</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Zaloguj się</translation>
    </message>
    <message>
        <source>You must enter username and password to sign in.</source>
        <translation>Aby się zalogować, podaj nazwę użytkownika i hasło.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Wrong Login/Password.</source>
        <translation>Nieprawidłowa nazwa użytkownika lub hasło.</translation>
    </message>
    <message>
        <source>Application has no access to Orvessa</source>
        <translation>Aplikacja nie może połączyć się z serwisem Orvessa.</translation>
    </message>
    <message>
        <source>Application has no access to network.</source>
        <translation>Aplikacja nie ma dostępu do sieci.</translation>
    </message>
    <message>
        <source>Your version is outdated. Please, download new Quarnel app on Orvessa</source>
        <translation>Twoja wersja jest nieaktualna. Pobierz nową aplikację Quarnel z serwisu Orvessa.</translation>
    </message>
    <message>
        <source>Quarnel Update</source>
        <translation>Aktualizacja Quarnel</translation>
    </message>
    <message>
        <source>Available new update. Download it?</source>
        <translation>Dostępna jest nowa aktualizacja. Pobrać ją?</translation>
    </message>
    <message>
        <source>Error during downloading update.</source>
        <translation>Błąd podczas pobierania aktualizacji.</translation>
    </message>
    <message>
        <source>Error during installing update.</source>
        <translation>Błąd podczas instalowania aktualizacji.</translation>
    </message>
    <message>
        <source>VPN connection is active. 
Disconnect and logout?</source>
        <translation>Połączenie VPN jest aktywne. 
Rozłączyć VPN i wylogować się?</translation>
    </message>
    <message>
        <source>Do you want to logout?</source>
        <translation>Czy chcesz się wylogować?</translation>
    </message>
    <message>
        <source>Logout</source>
        <translation>Wylogowanie</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Zamykanie aplikacji</translation>
    </message>
    <message>
        <source>VPN connection is active. Disconnect and exit?</source>
        <translation>Połączenie VPN jest aktywne. Rozłączyć VPN i zamknąć aplikację?</translation>
    </message>
</context>
<context>
    <name>ProgressDlg</name>
    <message>
        <source>Update</source>
        <translation>Aktualizacja</translation>
    </message>
    <message>
        <source>Downloading update. Please wait...</source>
        <translation>Pobieranie aktualizacji. Proszę czekać...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
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
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nie</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Tak</translation>
    </message>
</context>
<context>
    <name>SearchEdit</name>
    <message>
        <source>Clear</source>
        <translation>Wyczyść</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Lokalizacja</translation>
    </message>
</context>
<context>
    <name>SelectionAccountWindow</name>
    <message>
        <source>Select VPN login to connect</source>
        <translation>Wybierz login VPN, którym chcesz się połączyć</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Kontynuuj</translation>
    </message>
</context>
<context>
    <name>ServerListWindow</name>
    <message>
        <source>Standard VPN</source>
        <translation>Zwykły VPN</translation>
    </message>
    <message>
        <source>Double VPN</source>
        <translation>Podwójny VPN</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Wstecz</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>Ulubione</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Szukaj</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Save and go back</source>
        <translation>Zapisz i wróć</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ustawienia</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Język:</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Język</translation>
    </message>
    <message>
        <source>Choose VPN protocol:</source>
        <translation>Wybierz protokół VPN:</translation>
    </message>
    <message>
        <source>VPN protocol</source>
        <translation>Protokół VPN</translation>
    </message>
    <message>
        <source>Launch on startup</source>
        <translation>Uruchamiaj przy starcie systemu</translation>
    </message>
    <message>
        <source>Connect to VPN when app is started</source>
        <translation>Łącz z VPN po uruchomieniu aplikacji</translation>
    </message>
    <message>
        <source>Change timezone using IP address</source>
        <translation>Ustawiaj strefę czasową według IP</translation>
    </message>
    <message>
        <source>After connection to VPN server</source>
        <translation>Po połączeniu z serwerem VPN</translation>
    </message>
    <message>
        <source>Kill switch</source>
        <translation>Kill switch</translation>
    </message>
    <message>
        <source>IPv4, IPv6, DNS4, DNS6 leaks protection</source>
        <translation>Ochrona przed wyciekami IPv4, IPv6, DNS4 i DNS6</translation>
    </message>
    <message>
        <source>Allow access to local devices</source>
        <translation>Dostęp do urządzeń lokalnych</translation>
    </message>
    <message>
        <source>Printers, routers, etc</source>
        <translation>Drukarki, routery itp.</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Wersja:</translation>
    </message>
</context>
<context>
    <name>ShowLog</name>
    <message>
        <source>Connection Details</source>
        <translation>Szczegóły połączenia</translation>
    </message>
</context>
<context>
    <name>SubscriptionPurchaseWindow</name>
    <message>
        <source>Account</source>
        <translation>Konto</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>Wyloguj się</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>Kup subskrypcję VPN na stronie</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>Na stronie przyjmujemy płatności za pośrednictwem różnych systemów płatniczych, m.in. Bitcoin, PayPal, Yandex Money i innych.</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Connected to %1</source>
        <translation>Połączono z %1</translation>
    </message>
    <message>
        <source>Connecting to %1</source>
        <translation>Łączenie z %1</translation>
    </message>
    <message>
        <source>Quarnel</source>
        <translation>Quarnel</translation>
    </message>
    <message>
        <source>Your connection is not secured now!</source>
        <translation>Twoje połączenie nie jest teraz chronione!</translation>
    </message>
    <message>
        <source>Connect %1</source>
        <translation>Połącz z %1</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>Połącz ponownie</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Rozłącz</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Zakończ</translation>
    </message>
</context>
<context>
    <name>VpnProtocol</name>
    <message>
        <source>OpenVPN TCP (safer)</source>
        <translation>OpenVPN TCP (bezpieczniejszy)</translation>
    </message>
    <message>
        <source>OpenVPN UDP (faster)</source>
        <translation>OpenVPN UDP (szybszy)</translation>
    </message>
    <message>
        <source>Imitation HTTPS</source>
        <translation>Imitacja HTTPS</translation>
    </message>
    <message>
        <source>Brume</source>
        <translation>Brume</translation>
    </message>
</context>
</TS>
