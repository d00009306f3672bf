<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>AccountWindow</name>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Cuenta</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>Cerrar sesión</translation>
    </message>
    <message>
        <source>Login VPN:</source>
        <translation>Usuario VPN:</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Cambiar</translation>
    </message>
    <message>
        <source>Renew on site</source>
        <translation>Renovar en el sitio web</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>Comprar suscripción VPN en la web</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>En el sitio web aceptamos pagos a través de diversos sistemas de pago, como Bitcoin, PayPal, Yandex Money y otros.</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>Suscripción VPN válida hasta: %1</translation>
    </message>
</context>
<context>
    <name>ConnectWindow</name>
    <message>
        <source>Account</source>
        <translation>Cuenta</translation>
    </message>
    <message>
        <source>Connection details</source>
        <translation>Detalles de la conexión</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>You are not protected</source>
        <translation>No estás protegido</translation>
    </message>
    <message>
        <source>Connect or disconnect</source>
        <translation>Conectar o desconectar</translation>
    </message>
    <message>
        <source>Select VPN Location</source>
        <translation>Seleccionar ubicación VPN</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>Suscripción VPN válida hasta: %1</translation>
    </message>
    <message>
        <source>Renew it to stay protected.</source>
        <translation>Renuévala para seguir protegido.</translation>
    </message>
    <message>
        <source>Renew subscription</source>
        <translation>Renovar suscripción</translation>
    </message>
    <message>
        <source>Firewall does not support on your system.</source>
        <translation>El cortafuegos no es compatible con este sistema.</translation>
    </message>
    <message>
        <source>Error of loading of the config.</source>
        <translation>Error al cargar la configuración.</translation>
    </message>
    <message>
        <source>Error of loading of the certificate.</source>
        <translation>Error al cargar el certificado.</translation>
    </message>
    <message>
        <source>Error of loading of the key.</source>
        <translation>Error al cargar la clave.</translation>
    </message>
    <message>
        <source>The OpenVPN configuration could not be written.</source>
        <translation>No se pudo guardar la configuración de OpenVPN.</translation>
    </message>
    <message>
        <source>Timezone changes does not support on your system.</source>
        <translation>Este sistema no permite cambiar la zona horaria.</translation>
    </message>
    <message>
        <source>Timezone is not changed because of no data.</source>
        <translation>No se ha cambiado la zona horaria por falta de datos.</translation>
    </message>
    <message>
        <source>You are protected</source>
        <translation>Estás protegido</translation>
    </message>
    <message>
        <source>Show connection</source>
        <translation>Mostrar detalles de la conexión</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Conectando...</translation>
    </message>
</context>
<context>
    <name>Connection</name>
    <message>
        <source>Invalid username or password</source>
        <translation>Nombre de usuario o contraseña incorrectos</translation>
    </message>
    <message>
        <source>Not open openvpn socket</source>
        <translation>No se pudo abrir el socket de OpenVPN</translation>
    </message>
    <message>
        <source>Can not alocate TUN</source>
        <translation>No se pudo asignar un dispositivo TUN</translation>
    </message>
    <message>
        <source>Can not connect to helper</source>
        <translation>No se pudo conectar con el servicio auxiliar</translation>
    </message>
    <message>
        <source>Can not write to helper</source>
        <translation>No se pudieron enviar datos al servicio auxiliar</translation>
    </message>
    <message>
        <source>Can not find a free local port for OpenVPN</source>
        <translation>No se encontró ningún puerto local libre para OpenVPN</translation>
    </message>
    <message>
        <source>Proxy requires authentication</source>
        <translation>El proxy requiere autenticación</translation>
    </message>
    <message>
        <source>Can not send data to the VPN server</source>
        <translation>No se pudieron enviar datos al servidor VPN</translation>
    </message>
    <message>
        <source>Can not complete the connection to the VPN server</source>
        <translation>No se pudo completar la conexión con el servidor VPN</translation>
    </message>
    <message>
        <source>Can not start Brume</source>
        <translation>No se pudo iniciar Brume</translation>
    </message>
    <message>
        <source>Code error: %1</source>
        <translation>Código de error: %1</translation>
    </message>
</context>
<context>
    <name>FavoriteServerItemDelegate</name>
    <message>
        <source>Favorite</source>
        <translation>Favorito</translation>
    </message>
    <message>
        <source>Recommended</source>
        <translation>Recomendado</translation>
    </message>
</context>
<context>
    <name>LoginWindow</name>
    <message>
        <source>Username</source>
        <translation>Nombre de usuario</translation>
    </message>
    <message>
        <source>Username </source>
        <translation>Nombre de usuario</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Contraseña</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Iniciar sesión</translation>
    </message>
    <message>
        <source>You must enter username and password to sign in.</source>
        <translation>Debes introducir tu nombre de usuario y contraseña para iniciar sesión.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Wrong Login/Password.</source>
        <translation>Nombre de usuario o contraseña incorrectos.</translation>
    </message>
    <message>
        <source>Application has no access to Orvessa</source>
        <translation>La aplicación no puede conectarse a Orvessa.</translation>
    </message>
    <message>
        <source>Application has no access to network.</source>
        <translation>La aplicación no tiene acceso a la red.</translation>
    </message>
    <message>
        <source>Your version is outdated. Please, download new Quarnel app on Orvessa</source>
        <translation>Tu versión está obsoleta. Descarga la nueva app de Quarnel desde Orvessa.</translation>
    </message>
    <message>
        <source>Quarnel Update</source>
        <translation>Actualización de Quarnel</translation>
    </message>
    <message>
        <source>Available new update. Download it?</source>
        <translation>Hay una nueva actualización disponible. ¿Quieres descargarla?</translation>
    </message>
    <message>
        <source>Error during downloading update.</source>
        <translation>Error al descargar la actualización.</translation>
    </message>
    <message>
        <source>Error during installing update.</source>
        <translation>Error al instalar la actualización.</translation>
    </message>
    <message>
        <source>VPN connection is active. 
Disconnect and logout?</source>
        <translation>La conexión VPN está activa. 
¿Desconectar y cerrar sesión?</translation>
    </message>
    <message>
        <source>Do you want to logout?</source>
        <translation>¿Quieres cerrar sesión?</translation>
    </message>
    <message>
        <source>Logout</source>
        <translation>Cerrar sesión</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>VPN connection is active. Disconnect and exit?</source>
        <translation>La conexión VPN está activa. ¿Desconectar y salir?</translation>
    </message>
</context>
<context>
    <name>ProgressDlg</name>
    <message>
        <source>Update</source>
        <translation>Actualización</translation>
    </message>
    <message>
        <source>Downloading update. Please wait...</source>
        <translation>Descargando la actualización. Espera un momento...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
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
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Sí</translation>
    </message>
</context>
<context>
    <name>SearchEdit</name>
    <message>
        <source>Clear</source>
        <translation>Borrar</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Ubicación</translation>
    </message>
</context>
<context>
    <name>SelectionAccountWindow</name>
    <message>
        <source>Select VPN login to connect</source>
        <translation>Selecciona el usuario VPN con el que conectarte</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Continuar</translation>
    </message>
</context>
<context>
    <name>ServerListWindow</name>
    <message>
        <source>Standard VPN</source>
        <translation>VPN estándar</translation>
    </message>
    <message>
        <source>Double VPN</source>
        <translation>VPN doble</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>Favoritos</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Buscar</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Save and go back</source>
        <translation>Guardar y volver</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Idioma:</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Choose VPN protocol:</source>
        <translation>Elige el protocolo VPN:</translation>
    </message>
    <message>
        <source>VPN protocol</source>
        <translation>Protocolo VPN</translation>
    </message>
    <message>
        <source>Launch on startup</source>
        <translation>Iniciar al arrancar el sistema</translation>
    </message>
    <message>
        <source>Connect to VPN when app is started</source>
        <translation>Conectar a la VPN al abrir la app</translation>
    </message>
    <message>
        <source>Change timezone using IP address</source>
        <translation>Ajustar la zona horaria según la IP</translation>
    </message>
    <message>
        <source>After connection to VPN server</source>
        <translation>Tras conectarse al servidor VPN</translation>
    </message>
    <message>
        <source>Kill switch</source>
        <translation>Kill switch</translation>
    </message>
    <message>
        <source>IPv4, IPv6, DNS4, DNS6 leaks protection</source>
        <translation>Protección contra fugas de IPv4, IPv6, DNS4 y DNS6</translation>
    </message>
    <message>
        <source>Allow access to local devices</source>
        <translation>Acceso a dispositivos locales</translation>
    </message>
    <message>
        <source>Printers, routers, etc</source>
        <translation>Impresoras, routers, etc.</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Versión:</translation>
    </message>
</context>
<context>
    <name>ShowLog</name>
    <message>
        <source>Connection Details</source>
        <translation>Detalles de la conexión</translation>
    </message>
</context>
<context>
    <name>SubscriptionPurchaseWindow</name>
    <message>
        <source>Account</source>
        <translation>Cuenta</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>Cerrar sesión</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>Comprar suscripción VPN en la web</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>En el sitio web aceptamos pagos a través de diversos sistemas de pago, como Bitcoin, PayPal, Yandex Money y otros.</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Connected to %1</source>
        <translation>Conectado a %1</translation>
    </message>
    <message>
        <source>Connecting to %1</source>
        <translation>Conectando a %1</translation>
    </message>
    <message>
        <source>Quarnel</source>
        <translation>Quarnel</translation>
    </message>
    <message>
        <source>Your connection is not secured now!</source>
        <translation>¡Tu conexión no está protegida!</translation>
    </message>
    <message>
        <source>Connect %1</source>
        <translation>Conectar a %1</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>Reconectar</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Desconectar</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
</context>
<context>
    <name>VpnProtocol</name>
    <message>
        <source>OpenVPN TCP (safer)</source>
        <translation>OpenVPN TCP (más seguro)</translation>
    </message>
    <message>
        <source>OpenVPN UDP (faster)</source>
        <translation>OpenVPN UDP (más rápido)</translation>
    </message>
    <message>
        <source>Imitation HTTPS</source>
        <translation>Imitación de HTTPS</translation>
    </message>
    <message>
        <source>Brume</source>
        <translation>Brume</translation>
    </message>
</context>
</TS>
