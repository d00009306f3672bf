<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>AccountWindow</name>
    <message>
        <source>Back</source>
        <translation>Indietro</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Account</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>Esci dall&apos;account</translation>
    </message>
    <message>
        <source>Login VPN:</source>
        <translation>Nome utente VPN:</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Cambia</translation>
    </message>
    <message>
        <source>Renew on site</source>
        <translation>Rinnova sul sito</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>Acquista un abbonamento VPN sul sito</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>Sul sito accettiamo pagamenti tramite diversi sistemi di pagamento, tra cui Bitcoin, PayPal, Yandex Money e altri.</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>Scadenza abbonamento VPN: %1</translation>
    </message>
</context>
<context>
    <name>ConnectWindow</name>
    <message>
        <source>Account</source>
        <translation>Account</translation>
    </message>
    <message>
        <source>Connection details</source>
        <translation>Dettagli della connessione</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Impostazioni</translation>
    </message>
    <message>
        <source>You are not protected</source>
        <translation>Non sei protetto</translation>
    </message>
    <message>
        <source>Connect or disconnect</source>
        <translation>Connetti o disconnetti</translation>
    </message>
    <message>
        <source>Select VPN Location</source>
        <translation>Seleziona località VPN</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>Scadenza abbonamento VPN: %1</translation>
    </message>
    <message>
        <source>Renew it to stay protected.</source>
        <translation>Rinnovalo per restare protetto.</translation>
    </message>
    <message>
        <source>Renew subscription</source>
        <translation>Rinnova l&apos;abbonamento</translation>
    </message>
    <message>
        <source>Firewall does not support on your system.</source>
        <translation>Il firewall non è supportato su questo sistema.</translation>
    </message>
    <message>
        <source>Error of loading of the config.</source>
        <translation>Errore durante il caricamento della configurazione.</translation>
    </message>
    <message>
        <source>Error of loading of the certificate.</source>
        <translation>Errore durante il caricamento del certificato.</translation>
    </message>
    <message>
        <source>Error of loading of the key.</source>
        <translation>Errore durante il caricamento della chiave.</translation>
    </message>
    <message>
        <source>The OpenVPN configuration could not be written.</source>
        <translation>Impossibile scrivere la configurazione di OpenVPN.</translation>
    </message>
    <message>
        <source>Timezone changes does not support on your system.</source>
        <translation>La modifica del fuso orario non è supportata su questo sistema.</translation>
    </message>
    <message>
        <source>Timezone is not changed because of no data.</source>
        <translation>Il fuso orario non è stato modificato per mancanza di dati.</translation>
    </message>
    <message>
        <source>You are protected</source>
        <translation>Sei protetto</translation>
    </message>
    <message>
        <source>Show connection</source>
        <translation>Mostra connessione</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Connessione in corso...</translation>
    </message>
</context>
<context>
    <name>Connection</name>
    <message>
        <source>Invalid username or password</source>
        <translation>Nome utente o password non validi</translation>
    </message>
    <message>
        <source>Not open openvpn socket</source>
        <translation>Impossibile aprire il socket di OpenVPN</translation>
    </message>
    <message>
        <source>Can not alocate TUN</source>
        <translation>Impossibile allocare il dispositivo TUN</translation>
    </message>
    <message>
        <source>Can not connect to helper</source>
        <translation>Impossibile connettersi al servizio ausiliario</translation>
    </message>
    <message>
        <source>Can not write to helper</source>
        <translation>Impossibile inviare dati al servizio ausiliario</translation>
    </message>
    <message>
        <source>Can not find a free local port for OpenVPN</source>
        <translation>Impossibile trovare una porta locale libera per OpenVPN</translation>
    </message>
    <message>
        <source>Proxy requires authentication</source>
        <translation>Il proxy richiede l&apos;autenticazione</translation>
    </message>
    <message>
        <source>Can not send data to the VPN server</source>
        <translation>Impossibile inviare dati al server VPN</translation>
    </message>
    <message>
        <source>Can not complete the connection to the VPN server</source>
        <translation>Impossibile completare la connessione al server VPN</translation>
    </message>
    <message>
        <source>Can not start Brume</source>
        <translation>Impossibile avviare Brume</translation>
    </message>
    <message>
        <source>Code error: %1</source>
        <translation>Codice di errore: %1</translation>
    </message>
</context>
<context>
    <name>FavoriteServerItemDelegate</name>
    <message>
        <source>Favorite</source>
        <translation>Preferito</translation>
    </message>
    <message>
        <source>Recommended</source>
        <translation>Consigliato</translation>
    </message>
</context>
<context>
    <name>LoginWindow</name>
    <message>
        <source>Username</source>
        <translation>Nome utente</translation>
    </message>
    <message>
        <source>Username </source>
        <translation>Nome utente</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Accedi</translation>
    </message>
    <message>
        <source>You must enter username and password to sign in.</source>
        <translation>Per accedere, inserisci nome utente e password.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Wrong Login/Password.</source>
        <translation>Nome utente o password errati.</translation>
    </message>
    <message>
        <source>Application has no access to Orvessa</source>
        <translation>L&apos;app non riesce a raggiungere Orvessa.</translation>
    </message>
    <message>
        <source>Application has no access to network.</source>
        <translation>L&apos;app non ha accesso alla rete.</translation>
    </message>
    <message>
        <source>Your version is outdated. Please, download new Quarnel app on Orvessa</source>
        <translation>La tua versione è obsoleta. Scarica la nuova app Quarnel da Orvessa.</translation>
    </message>
    <message>
        <source>Quarnel Update</source>
        <translation>Aggiornamento di Quarnel</translation>
    </message>
    <message>
        <source>Available new update. Download it?</source>
        <translation>È disponibile un nuovo aggiornamento. Vuoi scaricarlo?</translation>
    </message>
    <message>
        <source>Error during downloading update.</source>
        <translation>Errore durante il download dell&apos;aggiornamento.</translation>
    </message>
    <message>
        <source>Error during installing update.</source>
        <translation>Errore durante l&apos;installazione dell&apos;aggiornamento.</translation>
    </message>
    <message>
        <source>VPN connection is active. 
Disconnect and logout?</source>
        <translation>La connessione VPN è attiva. 
Vuoi disconnettere la VPN e uscire dall&apos;account?</translation>
    </message>
    <message>
        <source>Do you want to logout?</source>
        <translation>Vuoi uscire dall&apos;account?</translation>
    </message>
    <message>
        <source>Logout</source>
        <translation>Esci dall&apos;account</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Esci</translation>
    </message>
    <message>
        <source>VPN connection is active. Disconnect and exit?</source>
        <translation>La connessione VPN è attiva. Vuoi disconnettere la VPN e uscire?</translation>
    </message>
</context>
<context>
    <name>ProgressDlg</name>
    <message>
        <source>Update</source>
        <translation>Aggiornamento</translation>
    </message>
    <message>
        <source>Downloading update. Please wait...</source>
        <translation>Download dell&apos;aggiornamento in corso. Attendi...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
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
        <translation>Annulla</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Sì</translation>
    </message>
</context>
<context>
    <name>SearchEdit</name>
    <message>
        <source>Clear</source>
        <translation>Cancella</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Località</translation>
    </message>
</context>
<context>
    <name>SelectionAccountWindow</name>
    <message>
        <source>Select VPN login to connect</source>
        <translation>Seleziona il nome utente VPN con cui connetterti</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Continua</translation>
    </message>
</context>
<context>
    <name>ServerListWindow</name>
    <message>
        <source>Standard VPN</source>
        <translation>VPN standard</translation>
    </message>
    <message>
        <source>Double VPN</source>
        <translation>Doppia VPN</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Indietro</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>Preferiti</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Cerca</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Save and go back</source>
        <translation>Salva e torna indietro</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Impostazioni</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Lingua:</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Lingua</translation>
    </message>
    <message>
        <source>Choose VPN protocol:</source>
        <translation>Scegli il protocollo VPN:</translation>
    </message>
    <message>
        <source>VPN protocol</source>
        <translation>Protocollo VPN</translation>
    </message>
    <message>
        <source>Launch on startup</source>
        <translation>Apri all&apos;avvio del sistema</translation>
    </message>
    <message>
        <source>Connect to VPN when app is started</source>
        <translation>Connetti alla VPN all&apos;avvio dell&apos;app</translation>
    </message>
    <message>
        <source>Change timezone using IP address</source>
        <translation>Cambia fuso orario in base all&apos;IP</translation>
    </message>
    <message>
        <source>After connection to VPN server</source>
        <translation>Dopo la connessione al server VPN</translation>
    </message>
    <message>
        <source>Kill switch</source>
        <translation>Kill Switch</translation>
    </message>
    <message>
        <source>IPv4, IPv6, DNS4, DNS6 leaks protection</source>
        <translation>Protezione dalle perdite IPv4, IPv6, DNS4 e DNS6</translation>
    </message>
    <message>
        <source>Allow access to local devices</source>
        <translation>Accesso ai dispositivi locali</translation>
    </message>
    <message>
        <source>Printers, routers, etc</source>
        <translation>Stampanti, router, ecc.</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Versione:</translation>
    </message>
</context>
<context>
    <name>ShowLog</name>
    <message>
        <source>Connection Details</source>
        <translation>Dettagli della connessione</translation>
    </message>
</context>
<context>
    <name>SubscriptionPurchaseWindow</name>
    <message>
        <source>Account</source>
        <translation>Account</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>Esci dall&apos;account</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>Acquista un abbonamento VPN sul sito</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>Sul sito accettiamo pagamenti tramite diversi sistemi di pagamento, tra cui Bitcoin, PayPal, Yandex Money e altri.</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Connected to %1</source>
        <translation>Connesso a %1</translation>
    </message>
    <message>
        <source>Connecting to %1</source>
        <translation>Connessione a %1 in corso</translation>
    </message>
    <message>
        <source>Quarnel</source>
        <translation>Quarnel</translation>
    </message>
    <message>
        <source>Your connection is not secured now!</source>
        <translation>La tua connessione non è più protetta!</translation>
    </message>
    <message>
        <source>Connect %1</source>
        <translation>Connetti a %1</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>Riconnetti</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Disconnetti</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Esci</translation>
    </message>
</context>
<context>
    <name>VpnProtocol</name>
    <message>
        <source>OpenVPN TCP (safer)</source>
        <translation>OpenVPN TCP (più sicuro)</translation>
    </message>
    <message>
        <source>OpenVPN UDP (faster)</source>
        <translation>OpenVPN UDP (più veloce)</translation>
    </message>
    <message>
        <source>Imitation HTTPS</source>
        <translation>Camuffamento HTTPS</translation>
    </message>
    <message>
        <source>Brume</source>
        <translation>Brume</translation>
    </message>
</context>
</TS>
