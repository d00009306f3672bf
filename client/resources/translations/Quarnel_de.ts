<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AccountWindow</name>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Konto</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>Abmelden</translation>
    </message>
    <message>
        <source>Login VPN:</source>
        <translation>VPN-Login:</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Ändern</translation>
    </message>
    <message>
        <source>Renew on site</source>
        <translation>Auf der Website verlängern</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>VPN-Abo auf der Website kaufen</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>Auf der Website akzeptieren wir Zahlungen über verschiedene Zahlungssysteme, darunter Bitcoin, PayPal, Yandex Money und weitere.</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>VPN-Abo gültig bis: %1</translation>
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
        <translation>Verbindungsdetails</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>You are not protected</source>
        <translation>Sie sind nicht geschützt</translation>
    </message>
    <message>
        <source>Connect or disconnect</source>
        <translation>Verbinden oder trennen</translation>
    </message>
    <message>
        <source>Select VPN Location</source>
        <translation>VPN-Standort wählen</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>VPN-Abo gültig bis: %1</translation>
    </message>
    <message>
        <source>Renew it to stay protected.</source>
        <translation>Verlängern Sie es, um geschützt zu bleiben.</translation>
    </message>
    <message>
        <source>Renew subscription</source>
        <translation>Abo verlängern</translation>
    </message>
    <message>
        <source>Firewall does not support on your system.</source>
        <translation>Die Firewall wird auf diesem System nicht unterstützt.</translation>
    </message>
    <message>
        <source>Error of loading of the config.</source>
        <translation>Fehler beim Laden der Konfiguration.</translation>
    </message>
    <message>
        <source>Error of loading of the certificate.</source>
        <translation>Fehler beim Laden des Zertifikats.</translation>
    </message>
    <message>
        <source>Error of loading of the key.</source>
        <translation>Fehler beim Laden des Schlüssels.</translation>
    </message>
    <message>
        <source>The OpenVPN configuration could not be written.</source>
        <translation>Die OpenVPN-Konfiguration konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Timezone changes does not support on your system.</source>
        <translation>Das Ändern der Zeitzone wird auf diesem System nicht unterstützt.</translation>
    </message>
    <message>
        <source>Timezone is not changed because of no data.</source>
        <translation>Die Zeitzone wurde nicht geändert, da keine Daten vorliegen.</translation>
    </message>
    <message>
        <source>You are protected</source>
        <translation>Sie sind geschützt</translation>
    </message>
    <message>
        <source>Show connection</source>
        <translation>Verbindung anzeigen</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Verbindung wird aufgebaut...</translation>
    </message>
</context>
<context>
    <name>Connection</name>
    <message>
        <source>Invalid username or password</source>
        <translation>Benutzername oder Passwort ungültig</translation>
    </message>
    <message>
        <source>Not open openvpn socket</source>
        <translation>OpenVPN-Socket konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Can not alocate TUN</source>
        <translation>TUN-Gerät konnte nicht zugewiesen werden</translation>
    </message>
    <message>
        <source>Can not connect to helper</source>
        <translation>Keine Verbindung zum Hilfsdienst möglich</translation>
    </message>
    <message>
        <source>Can not write to helper</source>
        <translation>Daten konnten nicht an den Hilfsdienst gesendet werden</translation>
    </message>
    <message>
        <source>Can not find a free local port for OpenVPN</source>
        <translation>Kein freier lokaler Port für OpenVPN gefunden</translation>
    </message>
    <message>
        <source>Proxy requires authentication</source>
        <translation>Der Proxy erfordert eine Authentifizierung</translation>
    </message>
    <message>
        <source>Can not send data to the VPN server</source>
        <translation>Daten konnten nicht an den VPN-Server gesendet werden</translation>
    </message>
    <message>
        <source>Can not complete the connection to the VPN server</source>
        <translation>Die Verbindung zum VPN-Server konnte nicht hergestellt werden</translation>
    </message>
    <message>
        <source>Can not start Brume</source>
        <translation>Brume konnte nicht gestartet werden</translation>
    </message>
    <message>
        <source>Code error: %1</source>
        <translation>Fehlercode: %1</translation>
    </message>
</context>
<context>
    <name>FavoriteServerItemDelegate</name>
    <message>
        <source>Favorite</source>
        <translation>Favorit</translation>
    </message>
    <message>
        <source>Recommended</source>
        <translation>Empfohlen</translation>
    </message>
</context>
<context>
    <name>LoginWindow</name>
    <message>
        <source>Username</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <source>Username </source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Anmelden</translation>
    </message>
    <message>
        <source>You must enter username and password to sign in.</source>
        <translation>Geben Sie Benutzername und Passwort ein, um sich anzumelden.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Wrong Login/Password.</source>
        <translation>Benutzername oder Passwort falsch.</translation>
    </message>
    <message>
        <source>Application has no access to Orvessa</source>
        <translation>Die App kann Orvessa nicht erreichen.</translation>
    </message>
    <message>
        <source>Application has no access to network.</source>
        <translation>Die App hat keinen Netzwerkzugriff.</translation>
    </message>
    <message>
        <source>Your version is outdated. Please, download new Quarnel app on Orvessa</source>
        <translation>Ihre Version ist veraltet. Bitte laden Sie die neue Quarnel-App von Orvessa herunter.</translation>
    </message>
    <message>
        <source>Quarnel Update</source>
        <translation>Quarnel-Update</translation>
    </message>
    <message>
        <source>Available new update. Download it?</source>
        <translation>Ein neues Update ist verfügbar. Jetzt herunterladen?</translation>
    </message>
    <message>
        <source>Error during downloading update.</source>
        <translation>Fehler beim Herunterladen des Updates.</translation>
    </message>
    <message>
        <source>Error during installing update.</source>
        <translation>Fehler beim Installieren des Updates.</translation>
    </message>
    <message>
        <source>VPN connection is active. 
Disconnect and logout?</source>
        <translation>Die VPN-Verbindung ist aktiv. 
Verbindung trennen und abmelden?</translation>
    </message>
    <message>
        <source>Do you want to logout?</source>
        <translation>Möchten Sie sich abmelden?</translation>
    </message>
    <message>
        <source>Logout</source>
        <translation>Abmelden</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>VPN connection is active. Disconnect and exit?</source>
        <translation>Die VPN-Verbindung ist aktiv. Verbindung trennen und beenden?</translation>
    </message>
</context>
<context>
    <name>ProgressDlg</name>
    <message>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Downloading update. Please wait...</source>
        <translation>Update wird heruntergeladen. Bitte warten...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
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
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
</context>
<context>
    <name>SearchEdit</name>
    <message>
        <source>Clear</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Standort</translation>
    </message>
</context>
<context>
    <name>SelectionAccountWindow</name>
    <message>
        <source>Select VPN login to connect</source>
        <translation>VPN-Login für die Verbindung wählen</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Weiter</translation>
    </message>
</context>
<context>
    <name>ServerListWindow</name>
    <message>
        <source>Standard VPN</source>
        <translation>Standard-VPN</translation>
    </message>
    <message>
        <source>Double VPN</source>
        <translation>Doppel-VPN</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>Favoriten</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Save and go back</source>
        <translation>Speichern und zurück</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Sprache:</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Choose VPN protocol:</source>
        <translation>VPN-Protokoll wählen:</translation>
    </message>
    <message>
        <source>VPN protocol</source>
        <translation>VPN-Protokoll</translation>
    </message>
    <message>
        <source>Launch on startup</source>
        <translation>App beim Systemstart starten</translation>
    </message>
    <message>
        <source>Connect to VPN when app is started</source>
        <translation>Beim App-Start mit VPN verbinden</translation>
    </message>
    <message>
        <source>Change timezone using IP address</source>
        <translation>Zeitzone an IP-Adresse anpassen</translation>
    </message>
    <message>
        <source>After connection to VPN server</source>
        <translation>Nach der Verbindung mit dem VPN-Server</translation>
    </message>
    <message>
        <source>Kill switch</source>
        <translation>Kill Switch</translation>
    </message>
    <message>
        <source>IPv4, IPv6, DNS4, DNS6 leaks protection</source>
        <translation>Schutz vor IPv4-, IPv6-, DNS4- und DNS6-Lecks</translation>
    </message>
    <message>
        <source>Allow access to local devices</source>
        <translation>Lokalen Gerätezugriff erlauben</translation>
    </message>
    <message>
        <source>Printers, routers, etc</source>
        <translation>Drucker, Router usw.</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Version:</translation>
    </message>
</context>
<context>
    <name>ShowLog</name>
    <message>
        <source>Connection Details</source>
        <translation>Verbindungsdetails</translation>
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
        <translation>Abmelden</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>VPN-Abo auf der Website kaufen</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>Auf der Website akzeptieren wir Zahlungen über verschiedene Zahlungssysteme, darunter Bitcoin, PayPal, Yandex Money und weitere.</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Connected to %1</source>
        <translation>Verbunden mit %1</translation>
    </message>
    <message>
        <source>Connecting to %1</source>
        <translation>Verbindung zu %1 wird aufgebaut</translation>
    </message>
    <message>
        <source>Quarnel</source>
        <translation>Quarnel</translation>
    </message>
    <message>
        <source>Your connection is not secured now!</source>
        <translation>Ihre Verbindung ist jetzt nicht geschützt!</translation>
    </message>
    <message>
        <source>Connect %1</source>
        <translation>Mit %1 verbinden</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>Neu verbinden</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Trennen</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>VpnProtocol</name>
    <message>
        <source>OpenVPN TCP (safer)</source>
        <translation>OpenVPN TCP (sicherer)</translation>
    </message>
    <message>
        <source>OpenVPN UDP (faster)</source>
        <translation>OpenVPN UDP (schneller)</translation>
    </message>
    <message>
        <source>Imitation HTTPS</source>
        <translation>HTTPS-Tarnung</translation>
    </message>
    <message>
        <source>Brume</source>
        <translation>Brume</translation>
    </message>
</context>
</TS>
