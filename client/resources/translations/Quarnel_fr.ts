<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>AccountWindow</name>
    <message>
        <source>Back</source>
        <translation>Retour</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Compte</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>Se déconnecter du compte</translation>
    </message>
    <message>
        <source>Login VPN:</source>
        <translation>Identifiant VPN&#xa0;:</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Changer</translation>
    </message>
    <message>
        <source>Renew on site</source>
        <translation>Renouveler sur le site</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>Acheter un abonnement VPN sur le site</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>Sur le site, nous acceptons les paiements par différents moyens de paiement, notamment Bitcoin, PayPal, Yandex Money et bien d&apos;autres.</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>Expiration de l&apos;abonnement VPN&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>ConnectWindow</name>
    <message>
        <source>Account</source>
        <translation>Compte</translation>
    </message>
    <message>
        <source>Connection details</source>
        <translation>Détails de la connexion</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>You are not protected</source>
        <translation>Vous n&apos;êtes pas protégé</translation>
    </message>
    <message>
        <source>Connect or disconnect</source>
        <translation>Se connecter ou se déconnecter</translation>
    </message>
    <message>
        <source>Select VPN Location</source>
        <translation>Choisir un emplacement VPN</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>Expiration de l&apos;abonnement VPN&#xa0;: %1</translation>
    </message>
    <message>
        <source>Renew it to stay protected.</source>
        <translation>Renouvelez-le pour rester protégé.</translation>
    </message>
    <message>
        <source>Renew subscription</source>
        <translation>Renouveler l&apos;abonnement</translation>
    </message>
    <message>
        <source>Firewall does not support on your system.</source>
        <translation>Le pare-feu n&apos;est pas pris en charge sur ce système.</translation>
    </message>
    <message>
        <source>Error of loading of the config.</source>
        <translation>Erreur lors du chargement de la configuration.</translation>
    </message>
    <message>
        <source>Error of loading of the certificate.</source>
        <translation>Erreur lors du chargement du certificat.</translation>
    </message>
    <message>
        <source>Error of loading of the key.</source>
        <translation>Erreur lors du chargement de la clé.</translation>
    </message>
    <message>
        <source>The OpenVPN configuration could not be written.</source>
        <translation>Impossible d&apos;écrire la configuration OpenVPN.</translation>
    </message>
    <message>
        <source>Timezone changes does not support on your system.</source>
        <translation>Le changement de fuseau horaire n&apos;est pas pris en charge sur ce système.</translation>
    </message>
    <message>
        <source>Timezone is not changed because of no data.</source>
        <translation>Le fuseau horaire n&apos;a pas été modifié, faute de données.</translation>
    </message>
    <message>
        <source>You are protected</source>
        <translation>Vous êtes protégé</translation>
    </message>
    <message>
        <source>Show connection</source>
        <translation>Afficher la connexion</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Connexion en cours...</translation>
    </message>
</context>
<context>
    <name>Connection</name>
    <message>
        <source>Invalid username or password</source>
        <translation>Nom d&apos;utilisateur ou mot de passe incorrect</translation>
    </message>
    <message>
        <source>Not open openvpn socket</source>
        <translation>Impossible d&apos;ouvrir le socket OpenVPN</translation>
    </message>
    <message>
        <source>Can not alocate TUN</source>
        <translation>Impossible d&apos;allouer un périphérique TUN</translation>
    </message>
    <message>
        <source>Can not connect to helper</source>
        <translation>Impossible de se connecter au service auxiliaire</translation>
    </message>
    <message>
        <source>Can not write to helper</source>
        <translation>Impossible d&apos;envoyer des données au service auxiliaire</translation>
    </message>
    <message>
        <source>Can not find a free local port for OpenVPN</source>
        <translation>Impossible de trouver un port local libre pour OpenVPN</translation>
    </message>
    <message>
        <source>Proxy requires authentication</source>
        <translation>Le proxy exige une authentification</translation>
    </message>
    <message>
        <source>Can not send data to the VPN server</source>
        <translation>Impossible d&apos;envoyer des données au serveur VPN</translation>
    </message>
    <message>
        <source>Can not complete the connection to the VPN server</source>
        <translation>Impossible de finaliser la connexion au serveur VPN</translation>
    </message>
    <message>
        <source>Can not start Brume</source>
        <translation>Impossible de démarrer Brume</translation>
    </message>
    <message>
        <source>Code error: %1</source>
        <translation>Code d&apos;erreur&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>FavoriteServerItemDelegate</name>
    <message>
        <source>Favorite</source>
        <translation>Favori</translation>
    </message>
    <message>
        <source>Recommended</source>
        <translation>Recommandé</translation>
    </message>
</context>
<context>
    <name>LoginWindow</name>
    <message>
        <source>Username</source>
        <translation>Nom d&apos;utilisateur</translation>
    </message>
    <message>
        <source>Username </source>
        <translation>Nom d&apos;utilisateur</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Se connecter</translation>
    </message>
    <message>
        <source>You must enter username and password to sign in.</source>
        <translation>Saisissez votre nom d&apos;utilisateur et votre mot de passe pour vous connecter.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Wrong Login/Password.</source>
        <translation>Nom d&apos;utilisateur ou mot de passe incorrect.</translation>
    </message>
    <message>
        <source>Application has no access to Orvessa</source>
        <translation>L&apos;application ne parvient pas à joindre Orvessa.</translation>
    </message>
    <message>
        <source>Application has no access to network.</source>
        <translation>L&apos;application n&apos;a pas accès au réseau.</translation>
    </message>
    <message>
        <source>Your version is outdated. Please, download new Quarnel app on Orvessa</source>
        <translation>Votre version est obsolète. Veuillez télécharger la nouvelle application Quarnel sur Orvessa.</translation>
    </message>
    <message>
        <source>Quarnel Update</source>
        <translation>Mise à jour de Quarnel</translation>
    </message>
    <message>
        <source>Available new update. Download it?</source>
        <translation>Une nouvelle mise à jour est disponible. Voulez-vous la télécharger&#xa0;?</translation>
    </message>
    <message>
        <source>Error during downloading update.</source>
        <translation>Erreur lors du téléchargement de la mise à jour.</translation>
    </message>
    <message>
        <source>Error during installing update.</source>
        <translation>Erreur lors de l&apos;installation de la mise à jour.</translation>
    </message>
    <message>
        <source>VPN connection is active. 
Disconnect and logout?</source>
        <translation>La connexion VPN est active. 
Voulez-vous vous déconnecter du VPN et de votre compte&#xa0;?</translation>
    </message>
    <message>
        <source>Do you want to logout?</source>
        <translation>Voulez-vous vous déconnecter de votre compte&#xa0;?</translation>
    </message>
    <message>
        <source>Logout</source>
        <translation>Déconnexion du compte</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>VPN connection is active. Disconnect and exit?</source>
        <translation>La connexion VPN est active. Voulez-vous vous déconnecter du VPN et quitter&#xa0;?</translation>
    </message>
</context>
<context>
    <name>ProgressDlg</name>
    <message>
        <source>Update</source>
        <translation>Mise à jour</translation>
    </message>
    <message>
        <source>Downloading update. Please wait...</source>
        <translation>Téléchargement de la mise à jour. Veuillez patienter...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
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
        <translation>Annuler</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
</context>
<context>
    <name>SearchEdit</name>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Emplacement</translation>
    </message>
</context>
<context>
    <name>SelectionAccountWindow</name>
    <message>
        <source>Select VPN login to connect</source>
        <translation>Choisissez l&apos;identifiant VPN à utiliser pour la connexion</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Continuer</translation>
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
        <translation>Double VPN</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Retour</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>Favoris</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Rechercher</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Save and go back</source>
        <translation>Enregistrer et revenir</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Langue&#xa0;:</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Choose VPN protocol:</source>
        <translation>Choisir le protocole VPN&#xa0;:</translation>
    </message>
    <message>
        <source>VPN protocol</source>
        <translation>Protocole VPN</translation>
    </message>
    <message>
        <source>Launch on startup</source>
        <translation>Lancer au démarrage du système</translation>
    </message>
    <message>
        <source>Connect to VPN when app is started</source>
        <translation>Se connecter au VPN au lancement</translation>
    </message>
    <message>
        <source>Change timezone using IP address</source>
        <translation>Adapter le fuseau horaire à l&apos;IP</translation>
    </message>
    <message>
        <source>After connection to VPN server</source>
        <translation>Après la connexion au serveur VPN</translation>
    </message>
    <message>
        <source>Kill switch</source>
        <translation>Kill Switch</translation>
    </message>
    <message>
        <source>IPv4, IPv6, DNS4, DNS6 leaks protection</source>
        <translation>Protection contre les fuites IPv4, IPv6, DNS4 et DNS6</translation>
    </message>
    <message>
        <source>Allow access to local devices</source>
        <translation>Accès aux appareils locaux</translation>
    </message>
    <message>
        <source>Printers, routers, etc</source>
        <translation>Imprimantes, routeurs, etc.</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Version&#xa0;:</translation>
    </message>
</context>
<context>
    <name>ShowLog</name>
    <message>
        <source>Connection Details</source>
        <translation>Détails de la connexion</translation>
    </message>
</context>
<context>
    <name>SubscriptionPurchaseWindow</name>
    <message>
        <source>Account</source>
        <translation>Compte</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>Se déconnecter du compte</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>Acheter un abonnement VPN sur le site</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>Sur le site, nous acceptons les paiements par différents moyens de paiement, notamment Bitcoin, PayPal, Yandex Money et bien d&apos;autres.</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Connected to %1</source>
        <translation>Connecté à %1</translation>
    </message>
    <message>
        <source>Connecting to %1</source>
        <translation>Connexion à %1 en cours</translation>
    </message>
    <message>
        <source>Quarnel</source>
        <translation>Quarnel</translation>
    </message>
    <message>
        <source>Your connection is not secured now!</source>
        <translation>Votre connexion n&apos;est plus sécurisée&#xa0;!</translation>
    </message>
    <message>
        <source>Connect %1</source>
        <translation>Se connecter à %1</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>Se reconnecter</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Se déconnecter</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
</context>
<context>
    <name>VpnProtocol</name>
    <message>
        <source>OpenVPN TCP (safer)</source>
        <translation>OpenVPN TCP (plus sûr)</translation>
    </message>
    <message>
        <source>OpenVPN UDP (faster)</source>
        <translation>OpenVPN UDP (plus rapide)</translation>
    </message>
    <message>
        <source>Imitation HTTPS</source>
        <translation>Camouflage HTTPS</translation>
    </message>
    <message>
        <source>Brume</source>
        <translation>Brume</translation>
    </message>
</context>
</TS>
