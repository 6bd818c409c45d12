; The installer's own texts in English and Japanese (the pages' other texts come with
; NSIS's language files).
LangString ModeExplanation ${LANG_ENGLISH} "Install Velnor for everyone on this computer (into the system folder; needs administrator rights) or only for you. Installed only for you, Velnor becomes your current screen saver: the screen-saver settings list a copy of your own only while it is the current one."
LangString ModeExplanation ${LANG_JAPANESE} "Velnorをこのコンピューターの全員のために (システム フォルダーへ。管理者の権限が必要です) インストールするか、自分だけのためにインストールするかを選んでください。自分だけのためにインストールすると、Velnorが現在のスクリーン セーバーになります。スクリーン セーバーの設定は、自分だけのVelnorを、それが現在のものである間だけ一覧に表示します。"
LangString ModeCurrentUser ${LANG_ENGLISH} "Install just for me (Velnor becomes the current screen saver)"
LangString ModeCurrentUser ${LANG_JAPANESE} "自分にのみインストール (Velnorが現在のスクリーン セーバーになります)"
LangString SectionCurrent ${LANG_ENGLISH} "Make Velnor the current screen saver"
LangString SectionCurrent ${LANG_JAPANESE} "Velnorを現在のスクリーン セーバーにする"
LangString AskRemoveSettings ${LANG_ENGLISH} "Also delete your Velnor settings ($APPDATA\Velnor\Velnor.ini)?"
LangString AskRemoveSettings ${LANG_JAPANESE} "Velnorの設定 ($APPDATA\Velnor\Velnor.ini) も削除しますか?"
