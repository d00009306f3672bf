<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>AccountWindow</name>
    <message>
        <source>Back</source>
        <translation>Voltar</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Conta</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>Sair da conta</translation>
    </message>
    <message>
        <source>Login VPN:</source>
        <translation>Login da VPN:</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Alterar</translation>
    </message>
    <message>
        <source>Renew on site</source>
        <translation>Renovar no site</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>Comprar assinatura de VPN no site</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>No site, aceitamos pagamentos por diversos meios de pagamento, incluindo Bitcoin, PayPal, Yandex Money e outros.</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>Assinatura da VPN válida até: %1</translation>
    </message>
</context>
<context>
    <name>ConnectWindow</name>
    <message>
        <source>Account</source>
        <translation>Conta</translation>
    </message>
    <message>
        <source>Connection details</source>
        <translation>Detalhes da conexão</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configurações</translation>
    </message>
    <message>
        <source>You are not protected</source>
        <translation>Você não está protegido</translation>
    </message>
    <message>
        <source>Connect or disconnect</source>
        <translation>Conectar ou desconectar</translation>
    </message>
    <message>
        <source>Select VPN Location</source>
        <translation>Escolher localização da VPN</translation>
    </message>
    <message>
        <source>VPN subscription expires: %1</source>
        <translation>Assinatura da VPN válida até: %1</translation>
    </message>
    <message>
        <source>Renew it to stay protected.</source>
        <translation>Renove-a para continuar protegido.</translation>
    </message>
    <message>
        <source>Renew subscription</source>
        <translation>Renovar assinatura</translation>
    </message>
    <message>
        <source>Firewall does not support on your system.</source>
        <translation>Não há suporte para firewall neste sistema.</translation>
    </message>
    <message>
        <source>Error of loading of the config.</source>
        <translation>Erro ao carregar a configuração.</translation>
    </message>
    <message>
        <source>Error of loading of the certificate.</source>
        <translation>Erro ao carregar o certificado.</translation>
    </message>
    <message>
        <source>Error of loading of the key.</source>
        <translation>Erro ao carregar a chave.</translation>
    </message>
    <message>
        <source>The OpenVPN configuration could not be written.</source>
        <translation>Não foi possível gravar a configuração do OpenVPN.</translation>
    </message>
    <message>
        <source>Timezone changes does not support on your system.</source>
        <translation>Este sistema não permite alterar o fuso horário.</translation>
    </message>
    <message>
        <source>Timezone is not changed because of no data.</source>
        <translation>O fuso horário não foi alterado por falta de dados.</translation>
    </message>
    <message>
        <source>You are protected</source>
        <translation>Você está protegido</translation>
    </message>
    <message>
        <source>Show connection</source>
        <translation>Mostrar detalhes da conexão</translation>
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
        <translation>Nome de usuário ou senha inválidos</translation>
    </message>
    <message>
        <source>Not open openvpn socket</source>
        <translation>Não foi possível abrir o socket do OpenVPN</translation>
    </message>
    <message>
        <source>Can not alocate TUN</source>
        <translation>Não foi possível alocar um dispositivo TUN</translation>
    </message>
    <message>
        <source>Can not connect to helper</source>
        <translation>Não foi possível conectar ao serviço auxiliar</translation>
    </message>
    <message>
        <source>Can not write to helper</source>
        <translation>Não foi possível enviar dados ao serviço auxiliar</translation>
    </message>
    <message>
        <source>Can not find a free local port for OpenVPN</source>
        <translation>Não foi possível encontrar uma porta local livre para o OpenVPN</translation>
    </message>
    <message>
        <source>Proxy requires authentication</source>
        <translation>O proxy requer autenticação</translation>
    </message>
    <message>
        <source>Can not send data to the VPN server</source>
        <translation>Não foi possível enviar dados ao servidor VPN</translation>
    </message>
    <message>
        <source>Can not complete the connection to the VPN server</source>
        <translation>Não foi possível concluir a conexão com o servidor VPN</translation>
    </message>
    <message>
        <source>Can not start Brume</source>
        <translation>Não foi possível iniciar o Brume</translation>
    </message>
    <message>
        <source>Code error: %1</source>
        <translation>Código de erro: %1</translation>
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
        <translation>Nome de usuário</translation>
    </message>
    <message>
        <source>Username </source>
        <translation>Nome de usuário</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Senha</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Entrar</translation>
    </message>
    <message>
        <source>You must enter username and password to sign in.</source>
        <translation>Para entrar, é necessário informar o nome de usuário e a senha.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Wrong Login/Password.</source>
        <translation>Nome de usuário ou senha incorretos.</translation>
    </message>
    <message>
        <source>Application has no access to Orvessa</source>
        <translation>O aplicativo não consegue se conectar ao Orvessa.</translation>
    </message>
    <message>
        <source>Application has no access to network.</source>
        <translation>O aplicativo não tem acesso à rede.</translation>
    </message>
    <message>
        <source>Your version is outdated. Please, download new Quarnel app on Orvessa</source>
        <translation>Sua versão está desatualizada. Baixe o novo aplicativo Quarnel no Orvessa.</translation>
    </message>
    <message>
        <source>Quarnel Update</source>
        <translation>Atualização do Quarnel</translation>
    </message>
    <message>
        <source>Available new update. Download it?</source>
        <translation>Há uma nova atualização disponível. Deseja baixá-la?</translation>
    </message>
    <message>
        <source>Error during downloading update.</source>
        <translation>Erro ao baixar a atualização.</translation>
    </message>
    <message>
        <source>Error during installing update.</source>
        <translation>Erro ao instalar a atualização.</translation>
    </message>
    <message>
        <source>VPN connection is active. 
Disconnect and logout?</source>
        <translation>A conexão VPN está ativa. 
Desconectar e sair da conta?</translation>
    </message>
    <message>
        <source>Do you want to logout?</source>
        <translation>Deseja sair da conta?</translation>
    </message>
    <message>
        <source>Logout</source>
        <translation>Sair da conta</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Sair</translation>
    </message>
    <message>
        <source>VPN connection is active. Disconnect and exit?</source>
        <translation>A conexão VPN está ativa. Desconectar e sair?</translation>
    </message>
</context>
<context>
    <name>ProgressDlg</name>
    <message>
        <source>Update</source>
        <translation>Atualização</translation>
    </message>
    <message>
        <source>Downloading update. Please wait...</source>
        <translation>Baixando a atualização. Aguarde...</translation>
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
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Não</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Sim</translation>
    </message>
</context>
<context>
    <name>SearchEdit</name>
    <message>
        <source>Clear</source>
        <translation>Limpar</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Localização</translation>
    </message>
</context>
<context>
    <name>SelectionAccountWindow</name>
    <message>
        <source>Select VPN login to connect</source>
        <translation>Selecione o login da VPN para se conectar</translation>
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
        <translation>VPN padrão</translation>
    </message>
    <message>
        <source>Double VPN</source>
        <translation>VPN dupla</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Voltar</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>Favoritos</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Pesquisar</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Save and go back</source>
        <translation>Salvar e voltar</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configurações</translation>
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
        <translation>Escolha o protocolo VPN:</translation>
    </message>
    <message>
        <source>VPN protocol</source>
        <translation>Protocolo VPN</translation>
    </message>
    <message>
        <source>Launch on startup</source>
        <translation>Iniciar com o sistema</translation>
    </message>
    <message>
        <source>Connect to VPN when app is started</source>
        <translation>Conectar à VPN ao abrir o Quarnel</translation>
    </message>
    <message>
        <source>Change timezone using IP address</source>
        <translation>Ajustar o fuso horário pelo IP</translation>
    </message>
    <message>
        <source>After connection to VPN server</source>
        <translation>Após conectar ao servidor VPN</translation>
    </message>
    <message>
        <source>Kill switch</source>
        <translation>Kill switch</translation>
    </message>
    <message>
        <source>IPv4, IPv6, DNS4, DNS6 leaks protection</source>
        <translation>Proteção contra vazamentos de IPv4, IPv6, DNS4 e DNS6</translation>
    </message>
    <message>
        <source>Allow access to local devices</source>
        <translation>Acesso a dispositivos locais</translation>
    </message>
    <message>
        <source>Printers, routers, etc</source>
        <translation>Impressoras, roteadores etc.</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Versão:</translation>
    </message>
</context>
<context>
    <name>ShowLog</name>
    <message>
        <source>Connection Details</source>
        <translation>Detalhes da conexão</translation>
    </message>
</context>
<context>
    <name>SubscriptionPurchaseWindow</name>
    <message>
        <source>Account</source>
        <translation>Conta</translation>
    </message>
    <message>
        <source>Log out</source>
        <translation>Sair da conta</translation>
    </message>
    <message>
        <source>Buy VPN subscription on the site</source>
        <translation>Comprar assinatura de VPN no site</translation>
    </message>
    <message>
        <source>On the site we accept payments through various payment systems, including Bitcoin, PayPal, Yandex Money and others.</source>
        <translation>No site, aceitamos pagamentos por diversos meios de pagamento, incluindo Bitcoin, PayPal, Yandex Money e outros.</translation>
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
        <translation>Sua conexão não está protegida!</translation>
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
        <translation>Sair</translation>
    </message>
</context>
<context>
    <name>VpnProtocol</name>
    <message>
        <source>OpenVPN TCP (safer)</source>
        <translation>OpenVPN TCP (mais seguro)</translation>
    </message>
    <message>
        <source>OpenVPN UDP (faster)</source>
        <translation>OpenVPN UDP (mais rápido)</translation>
    </message>
    <message>
        <source>Imitation HTTPS</source>
        <translation>Imitação de HTTPS</translation>
    </message>
    <message>
        <source>Brume</source>
        <translation>Brume</translation>
    </message>
</context>
</TS>
