<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru_RU">
<context>
    <name>AboutWindow</name>
    <message>
        <source>Автор: команда Vantoril</source>
        <translation>Author: the Vantoril team</translation>
    </message>
    <message>
        <source>Урал, 2026</source>
        <translation>Urals, 2026</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Версия, автор, адреса и благодарности</source>
        <translation>Version, author, addresses and thanks</translation>
    </message>
    <message>
        <source>Спасибы:</source>
        <translation>Thanks:</translation>
    </message>
    <message>
        <source>ОК</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Закрыть окно</source>
        <translation>Close the window</translation>
    </message>
    <message>
        <source>Спасибы</source>
        <translation>Thanks</translation>
    </message>
    <message>
        <source>Люди, которым программа благодарна</source>
        <translation>People the program is grateful to</translation>
    </message>
    <message>
        <source>Открыть адрес; Enter или пробел</source>
        <translation>Open the address; Enter or Space</translation>
    </message>
</context>
<context>
    <name>AddStatistic</name>
    <message>
        <source> Стоимость соединения не записана.</source>
        <translation> The cost of the connection was not recorded.</translation>
    </message>
    <message>
        <source>Сумма за %1 в файле «%2» — «%3» — не является числом. Исправьте или удалите её.</source>
        <translation>The amount for %1 in the file “%2” — “%3” — is not a number. Correct or delete it.</translation>
    </message>
    <message>
        <source>Сумма за %1 в файле «%2» слишком велика.</source>
        <translation>The amount for %1 in the file “%2” is too large.</translation>
    </message>
    <message>
        <source>Не удалось создать папку «%1».</source>
        <translation>Could not create the folder “%1”.</translation>
    </message>
</context>
<context>
    <name>AlertActions</name>
    <message>
        <source>Отключиться</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>История</source>
        <translation>History</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>Меню программы: правая кнопка мыши</source>
        <translation>Program menu: right mouse button</translation>
    </message>
    <message>
        <source>Программа уже запущена!</source>
        <translation>The program is already running!</translation>
    </message>
</context>
<context>
    <name>AtomicFile</name>
    <message>
        <source>Не удалось записать файл «%1»: %2. Файл не изменён.</source>
        <translation>Could not write the file “%1”: %2. The file is unchanged.</translation>
    </message>
    <message>
        <source>на этом месте не обычный файл</source>
        <translation>something other than a regular file is in its place</translation>
    </message>
</context>
<context>
    <name>BudgetAlerts</name>
    <message>
        <source> МБ</source>
        <translation> MB</translation>
    </message>
    <message>
        <source>Бюджет периода исчерпан: %1 из %2.</source>
        <translation>The budget for the period is used up: %1 of %2.</translation>
    </message>
    <message>
        <source>Лимит трафика периода исчерпан: %1 из %2.</source>
        <translation>The traffic cap for the period is used up: %1 of %2.</translation>
    </message>
    <message>
        <source>Израсходовано %1 % бюджета периода: %2 из %3.</source>
        <translation>%1 % of the budget for the period is spent: %2 of %3.</translation>
    </message>
    <message>
        <source>Израсходовано %1 % лимита трафика периода: %2 из %3.</source>
        <translation>%1 % of the traffic cap for the period is used: %2 of %3.</translation>
    </message>
</context>
<context>
    <name>BudgetGroup</name>
    <message>
        <source>не задан</source>
        <translation>not set</translation>
    </message>
    <message>
        <source>Бюджет</source>
        <translation>Budget</translation>
    </message>
    <message>
        <source>День начала периода</source>
        <translation>First day of the period</translation>
    </message>
    <message>
        <source>Число месяца, с которого начинается расчётный период; в коротком месяце — его последний день</source>
        <translation>The day of the month on which the billing period begins; in a shorter month, its last day</translation>
    </message>
    <message>
        <source>Бюджет на период</source>
        <translation>Budget for the period</translation>
    </message>
    <message>
        <source>Лимит трафика на период, МБ</source>
        <translation>Traffic cap for the period, MB</translation>
    </message>
    <message>
        <source>Абонентская плата за период</source>
        <translation>Plan fee for the period</translation>
    </message>
    <message>
        <source>нет</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Трафик, включённый в плату, МБ</source>
        <translation>Traffic included in the fee, MB</translation>
    </message>
    <message>
        <source>Столько мегабайт в начале каждого периода оплачены абонентской платой; трафик сверх них стоит по тарифу</source>
        <translation>This many megabytes at the start of each period are paid for by the plan fee; traffic beyond them is charged by the tariff</translation>
    </message>
    <message>
        <source>Счёт за период</source>
        <translation>Bill for the period</translation>
    </message>
    <message>
        <source>&amp;Предупреждать при 80 % и 100 %</source>
        <translation>&amp;Warn at 80 % and 100 %</translation>
    </message>
    <message>
        <source>Предупреждать при 80 % и 100 %</source>
        <translation>Warn at 80 % and 100 %</translation>
    </message>
    <message>
        <source>Уведомления рабочего стола, когда расход доходит до 80 % и 100 % бюджета или лимита трафика</source>
        <translation>Desktop notifications when spending reaches 80 % and 100 % of the budget or the traffic cap</translation>
    </message>
    <message>
        <source>&amp;Сохранить</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Сохранить бюджет</source>
        <translation>Save the budget</translation>
    </message>
    <message>
        <source>Записать день начала периода, бюджет, лимит, предупреждения, абонентскую плату и включённый трафик в inet.conf</source>
        <translation>Write the first day of the period, the budget, the cap, the warnings, the plan fee and the included traffic to inet.conf</translation>
    </message>
    <message>
        <source>Сообщение о бюджете</source>
        <translation>Budget message</translation>
    </message>
    <message>
        <source>&amp;День начала периода:</source>
        <translation>Period st&amp;art day:</translation>
    </message>
    <message>
        <source>&amp;Бюджет на период:</source>
        <translation>&amp;Budget for the period:</translation>
    </message>
    <message>
        <source>&amp;Лимит трафика, МБ:</source>
        <translation>Traffic ca&amp;p, MB:</translation>
    </message>
    <message>
        <source>&amp;Абонентская плата:</source>
        <translation>Plan &amp;fee:</translation>
    </message>
    <message>
        <source>&amp;Включено в плату, МБ:</source>
        <translation>&amp;Included in the fee, MB:</translation>
    </message>
    <message>
        <source>Сохранено.</source>
        <translation>Saved.</translation>
    </message>
    <message>
        <source>Очистить: %1</source>
        <translation>Clear: %1</translation>
    </message>
</context>
<context>
    <name>BudgetSettings</name>
    <message>
        <source>%1 должен быть числом, например %2; «%3» — не число.</source>
        <translation>%1 must be a number, for example %2; “%3” is not a number.</translation>
    </message>
    <message>
        <source>%1 не может быть отрицательным. Оставьте поле пустым или введите 0, если он не нужен.</source>
        <translation>%1 cannot be negative. Leave the field empty or enter 0 if you do not need it.</translation>
    </message>
    <message>
        <source>%1 слишком велик: %2.</source>
        <translation>%1 is too large: %2.</translation>
    </message>
    <message>
        <source>День начала периода — число от 1 до 31.</source>
        <translation>The first day of the period is a number from 1 to 31.</translation>
    </message>
    <message>
        <source>500 или </source>
        <translation>500 or </translation>
    </message>
    <message>
        <source>Бюджет</source>
        <translation>The budget</translation>
    </message>
    <message>
        <source>Лимит трафика</source>
        <translation>The traffic cap</translation>
    </message>
    <message>
        <source>Размер абонентской платы</source>
        <translation>The plan fee</translation>
    </message>
    <message>
        <source>Объём, включённый в плату</source>
        <translation>The volume included in the fee</translation>
    </message>
    <message>
        <source>Настройки не сохранены: </source>
        <translation>The settings were not saved: </translation>
    </message>
</context>
<context>
    <name>ChartModule</name>
    <message>
        <source>нет интерфейса %1</source>
        <translation>no interface %1</translation>
    </message>
    <message>
        <source>Диаграмма недоступна: модуль %1 не загружается (%2).</source>
        <translation>The chart is unavailable: the module %1 does not load (%2).</translation>
    </message>
    <message>
        <source>Диаграмма недоступна: нет модуля %1.</source>
        <translation>The chart is unavailable: there is no module %1.</translation>
    </message>
    <message>
        <source> или </source>
        <translation> or </translation>
    </message>
</context>
<context>
    <name>ConnectionWindow</name>
    <message>
        <source>Подключение</source>
        <translation>Connection</translation>
    </message>
    <message>
        <source>Какое подключение учитывает программа, и знак валюты</source>
        <translation>Which connection the program meters, and the currency sign</translation>
    </message>
    <message>
        <source>Подключения, которые программа может учитывать сейчас</source>
        <translation>Connections the program can meter now</translation>
    </message>
    <message>
        <source>&amp;Учитывать подключение:</source>
        <translation>&amp;Meter the connection:</translation>
    </message>
    <message>
        <source>Поиск подключений NetworkManager…</source>
        <translation>Looking for NetworkManager connections…</translation>
    </message>
    <message>
        <source>Состояние</source>
        <translation>State</translation>
    </message>
    <message>
        <source>Что сказал NetworkManager</source>
        <translation>What NetworkManager said</translation>
    </message>
    <message>
        <source>Валюта</source>
        <translation>Currency</translation>
    </message>
    <message>
        <source>Знак, который пишется после денежных сумм</source>
        <translation>The sign written after amounts of money</translation>
    </message>
    <message>
        <source>&amp;Валюта:</source>
        <translation>&amp;Currency:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Сохранить выбор; программа сразу начнёт учитывать это подключение</source>
        <translation>Save the choice; the program starts metering this connection at once</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Закрыть окно, ничего не меняя</source>
        <translation>Close the window without changing anything</translation>
    </message>
    <message>
        <source>NetworkManager не отвечает: его подключений нет в списке.</source>
        <translation>NetworkManager does not answer: its connections are not in the list.</translation>
    </message>
    <message>
        <source>%1 — как в файле настроек</source>
        <translation>%1 — as in the settings file</translation>
    </message>
    <message>
        <source>Настройки не сохранены: </source>
        <translation>The settings were not saved: </translation>
    </message>
</context>
<context>
    <name>HistoryChart</name>
    <message>
        <source>По истории</source>
        <translation>From the history</translation>
    </message>
    <message>
        <source>Сейчас</source>
        <translation>Now</translation>
    </message>
    <message>
        <source>По файлам статистики</source>
        <translation>From the statistics files</translation>
    </message>
    <message>
        <source>Диаграмма расхода</source>
        <translation>Spending chart</translation>
    </message>
    <message>
        <source>Столбики диаграммы</source>
        <translation>Chart bars</translation>
    </message>
</context>
<context>
    <name>HistoryExport</name>
    <message>
        <source>Истории пока нет: выгружать нечего.</source>
        <translation>There is no history yet: nothing to export.</translation>
    </message>
</context>
<context>
    <name>HistoryMessages</name>
    <message>
        <source> Программа попробует снова через минуту.</source>
        <translation> The program will try again in a minute.</translation>
    </message>
    <message>
        <source> Учёт трафика продолжается.</source>
        <translation> Traffic metering goes on.</translation>
    </message>
    <message>
        <source> Учёт трафика и запись статистики продолжаются как обычно.</source>
        <translation> Traffic metering and statistics go on as usual.</translation>
    </message>
    <message>
        <source>История соединений не ведётся: не установлен драйвер SQLite для Qt (пакет libqt6sql6-sqlite).</source>
        <translation>The connection history is not kept: the SQLite driver for Qt is not installed (package libqt6sql6-sqlite).</translation>
    </message>
    <message>
        <source>История соединений не ведётся: файл «%1» записан более новой версией программы.</source>
        <translation>The connection history is not kept: the file “%1” was written by a newer version of the program.</translation>
    </message>
    <message>
        <source>История соединений не ведётся: файл «%1» принадлежит другой программе и оставлен как есть.</source>
        <translation>The connection history is not kept: the file “%1” belongs to another program and is left as it is.</translation>
    </message>
    <message>
        <source>История соединений не записывается: диск заполнен.</source>
        <translation>The connection history is not being written: the disk is full.</translation>
    </message>
    <message>
        <source>История соединений не записывается: файл «%1» занят другой программой.</source>
        <translation>The connection history is not being written: the file “%1” is in use by another program.</translation>
    </message>
    <message>
        <source>История соединений не ведётся: файл «%1» нельзя открыть для записи.</source>
        <translation>The connection history is not kept: the file “%1” cannot be opened for writing.</translation>
    </message>
    <message>
        <source>История соединений не записывается: файл «%1» повреждён.</source>
        <translation>The connection history is not being written: the file “%1” is damaged.</translation>
    </message>
    <message>
        <source>История соединений не записывается: файл «%1» недоступен.</source>
        <translation>The connection history is not being written: the file “%1” is not accessible.</translation>
    </message>
    <message>
        <source>Файл истории соединений был повреждён. Он сохранён как «%1», история начата заново.</source>
        <translation>The connection history file was damaged. It has been kept as “%1” and the history has started afresh.</translation>
    </message>
    <message>
        <source>История соединений снова записывается.</source>
        <translation>The connection history is being written again.</translation>
    </message>
    <message>
        <source>История соединений пока недоступна: файл «%1» записан прежней версией программы, и программа обновит его при следующем запуске.</source>
        <translation>The connection history is not available yet: the file “%1” was written by an earlier version of the program, which will upgrade it when it next starts.</translation>
    </message>
</context>
<context>
    <name>HistoryReports</name>
    <message>
        <source>Принято, МБ</source>
        <translation>Received, MB</translation>
    </message>
    <message>
        <source>Отправлено, МБ</source>
        <translation>Sent, MB</translation>
    </message>
    <message>
        <source>Стоимость</source>
        <translation>Cost</translation>
    </message>
    <message>
        <source>Соединение</source>
        <translation>Connection</translation>
    </message>
    <message>
        <source>Начало</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Конец</source>
        <translation>End</translation>
    </message>
    <message>
        <source>В сети</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>Прервано</source>
        <translation>Cut short</translation>
    </message>
    <message>
        <source>Дата</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Начало периода</source>
        <translation>Period start</translation>
    </message>
    <message>
        <source>Конец периода</source>
        <translation>Period end</translation>
    </message>
    <message>
        <source>Прошло дней</source>
        <translation>Days elapsed</translation>
    </message>
    <message>
        <source>Осталось дней</source>
        <translation>Days left</translation>
    </message>
    <message>
        <source>Бюджет</source>
        <translation>Budget</translation>
    </message>
    <message>
        <source>Лимит, МБ</source>
        <translation>Cap, MB</translation>
    </message>
    <message>
        <source>Прогноз стоимости</source>
        <translation>Projected cost</translation>
    </message>
    <message>
        <source>Прогноз, МБ</source>
        <translation>Projected, MB</translation>
    </message>
    <message>
        <source>Можно тратить в день</source>
        <translation>Safe to spend per day</translation>
    </message>
</context>
<context>
    <name>HistoryView</name>
    <message>
        <source>ru_RU</source>
        <comment>locale of dates in texts</comment>
        <translation>en_GB</translation>
    </message>
    <message numerus="yes">
        <source>дней</source>
        <translation>
            <numerusform>day</numerusform>
            <numerusform>days</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>день</source>
        <translation>
            <numerusform>day</numerusform>
            <numerusform>days</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>дня</source>
        <translation>
            <numerusform>day</numerusform>
            <numerusform>days</numerusform>
        </translation>
    </message>
    <message>
        <source>янв</source>
        <translation>Jan</translation>
    </message>
    <message>
        <source>фев</source>
        <translation>Feb</translation>
    </message>
    <message>
        <source>мар</source>
        <translation>Mar</translation>
    </message>
    <message>
        <source>апр</source>
        <translation>Apr</translation>
    </message>
    <message>
        <source>май</source>
        <translation>May</translation>
    </message>
    <message>
        <source>июн</source>
        <translation>Jun</translation>
    </message>
    <message>
        <source>июл</source>
        <translation>Jul</translation>
    </message>
    <message>
        <source>авг</source>
        <translation>Aug</translation>
    </message>
    <message>
        <source>сен</source>
        <translation>Sep</translation>
    </message>
    <message>
        <source>окт</source>
        <translation>Oct</translation>
    </message>
    <message>
        <source>ноя</source>
        <translation>Nov</translation>
    </message>
    <message>
        <source>дек</source>
        <translation>Dec</translation>
    </message>
    <message>
        <source>Расчётный период: %1 — %2 %3 г., день %4 из %5</source>
        <translation>Billing period: %1 – %2 %3, day %4 of %5</translation>
    </message>
    <message>
        <source>%1 из %2 (%3 %)</source>
        <translation>%1 of %2 (%3 %)</translation>
    </message>
    <message>
        <source>Прогноз на конец периода: %1, %2</source>
        <translation>Projected by the end of the period: %1, %2</translation>
    </message>
    <message>
        <source> — больше бюджета на </source>
        <translation> — over the budget by </translation>
    </message>
    <message>
        <source>Бюджет периода исчерпан</source>
        <translation>The budget for the period is used up</translation>
    </message>
    <message>
        <source>Можно тратить в день: </source>
        <translation>Safe to spend per day: </translation>
    </message>
    <message>
        <source>Счёт за период: </source>
        <translation>Bill for the period: </translation>
    </message>
    <message>
        <source> — плата </source>
        <translation> — fee </translation>
    </message>
    <message>
        <source> и трафик </source>
        <translation> and traffic </translation>
    </message>
    <message>
        <source>; из %1 в плате осталось %2</source>
        <translation>; of the %1 included in the fee, %2 is left</translation>
    </message>
    <message>
        <source> и трафик сверх %1: %2</source>
        <translation> and traffic beyond %1: %2</translation>
    </message>
    <message>
        <source>прервано</source>
        <translation>cut short</translation>
    </message>
    <message>
        <source>на связи</source>
        <translation>online</translation>
    </message>
    <message>
        <source>Истории пока нет: она начнётся с первого соединения, которое учтёт программа.</source>
        <translation>There is no history yet: it begins with the first connection the program meters.</translation>
    </message>
    <message>
        <source> МБ</source>
        <translation> MB</translation>
    </message>
    <message>
        <source>: ещё не наступил</source>
        <translation>: not yet come</translation>
    </message>
    <message>
        <source>трафик до начала истории неизвестен</source>
        <translation>traffic before the history began is unknown</translation>
    </message>
    <message>
        <source> (по файлам статистики)</source>
        <translation> (from the statistics files)</translation>
    </message>
    <message>
        <source>, сегодня</source>
        <translation>, today</translation>
    </message>
    <message>
        <source>, текущий месяц</source>
        <translation>, this month</translation>
    </message>
    <message>
        <source>бюджет не задан</source>
        <translation>no budget set</translation>
    </message>
    <message>
        <source>лимит не задан</source>
        <translation>no cap set</translation>
    </message>
    <message>
        <source>Осталось: </source>
        <translation>Left: </translation>
    </message>
    <message>
        <source>, сегодня включительно</source>
        <translation>, today included</translation>
    </message>
</context>
<context>
    <name>HistoryWindow</name>
    <message>
        <source>Соединения периода, CSV (*.csv)</source>
        <translation>Connections of the period, CSV (*.csv)</translation>
    </message>
    <message>
        <source>Соединения периода, JSON (*.json)</source>
        <translation>Connections of the period, JSON (*.json)</translation>
    </message>
    <message>
        <source>Дни периода, CSV (*.csv)</source>
        <translation>Days of the period, CSV (*.csv)</translation>
    </message>
    <message>
        <source>Дни периода, JSON (*.json)</source>
        <translation>Days of the period, JSON (*.json)</translation>
    </message>
    <message>
        <source>Что показывает диаграмма</source>
        <translation>What the chart shows</translation>
    </message>
    <message>
        <source>История и бюджет</source>
        <translation>History and budget</translation>
    </message>
    <message>
        <source>Расход за расчётный период по дням и месяцам, соединения периода и бюджет</source>
        <translation>Spending in the billing period by day and by month, the connections of the period and the budget</translation>
    </message>
    <message>
        <source>Потрачено из бюджета</source>
        <translation>Spent of the budget</translation>
    </message>
    <message>
        <source>Трафик из лимита</source>
        <translation>Traffic of the cap</translation>
    </message>
    <message>
        <source>Деньги:</source>
        <translation>Money:</translation>
    </message>
    <message>
        <source>Трафик:</source>
        <translation>Traffic:</translation>
    </message>
    <message>
        <source>По д&amp;ням периода</source>
        <translation>By &amp;days of the period</translation>
    </message>
    <message>
        <source>По &amp;месяцам за год</source>
        <translation>By m&amp;onths of the year</translation>
    </message>
    <message>
        <source>Д&amp;еньги</source>
        <translation>&amp;Money</translation>
    </message>
    <message>
        <source>Трафи&amp;к, МБ</source>
        <translation>T&amp;raffic, MB</translation>
    </message>
    <message>
        <source>Наведите указатель на столбик или выберите его стрелками.</source>
        <translation>Point at a bar or select it with the arrow keys.</translation>
    </message>
    <message>
        <source>Соединение</source>
        <translation>Connection</translation>
    </message>
    <message>
        <source>Начало</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Длительность</source>
        <translation>Duration</translation>
    </message>
    <message>
        <source>Принято, МБ</source>
        <translation>Received, MB</translation>
    </message>
    <message>
        <source>Отправлено, МБ</source>
        <translation>Sent, MB</translation>
    </message>
    <message>
        <source>Стоимость</source>
        <translation>Cost</translation>
    </message>
    <message>
        <source>Примечание</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>Соединения периода</source>
        <translation>Connections of the period</translation>
    </message>
    <message>
        <source>Имя, начало, длительность, трафик и стоимость каждого соединения</source>
        <translation>Name, start, duration, traffic and cost of each connection</translation>
    </message>
    <message>
        <source>Соединения пер&amp;иода:</source>
        <translation>&amp;Connections of the period:</translation>
    </message>
    <message>
        <source>&amp;Экспорт…</source>
        <translation>&amp;Export…</translation>
    </message>
    <message>
        <source>Экспорт</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Записать соединения или дни периода в файл CSV или JSON</source>
        <translation>Write the connections or the days of the period to a CSV or JSON file</translation>
    </message>
    <message>
        <source>&amp;Закрыть</source>
        <translation>C&amp;lose</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Закрыть окно истории</source>
        <translation>Close the history window</translation>
    </message>
    <message>
        <source>Сообщение</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Потрачено: %1; трафик: %2. Бюджет и лимит можно задать в группе «Бюджет».</source>
        <translation>Spent: %1; traffic: %2. A budget and a cap can be set in the “Budget” group.</translation>
    </message>
    <message>
        <source>Сегодня</source>
        <translation>Today</translation>
    </message>
    <message>
        <source>Текущий месяц</source>
        <translation>This month</translation>
    </message>
    <message>
        <source>МБ</source>
        <translation>MB</translation>
    </message>
    <message>
        <source>Деньги</source>
        <translation>Money</translation>
    </message>
    <message>
        <source>Записано в «%1».</source>
        <translation>Written to “%1”.</translation>
    </message>
    <message>
        <source>Экспорт истории</source>
        <translation>Export the history</translation>
    </message>
    <message>
        <source>Подклю&amp;чение…</source>
        <translation>Co&amp;nnection…</translation>
    </message>
    <message>
        <source>Подключение</source>
        <translation>Connection</translation>
    </message>
    <message>
        <source>Какое подключение учитывать, и знак валюты</source>
        <translation>Which connection to meter, and the currency sign</translation>
    </message>
</context>
<context>
    <name>IndicatorText</name>
    <message>
        <source>дн.</source>
        <translation>d</translation>
    </message>
    <message>
        <source>Получено:</source>
        <translation>Received:</translation>
    </message>
    <message>
        <source>Передано:</source>
        <translation>Sent:</translation>
    </message>
    <message>
        <source>Всего:</source>
        <translation>Total:</translation>
    </message>
    <message>
        <source>Скорость:</source>
        <translation>Speed:</translation>
    </message>
    <message>
        <source>Время:</source>
        <translation>Time:</translation>
    </message>
</context>
<context>
    <name>IndicatorWindow</name>
    <message>
        <source>Индикатор</source>
        <translation>Indicator</translation>
    </message>
    <message>
        <source>Трафик, скорость, адрес и время соединения</source>
        <translation>Traffic, speed, address and time of the connection</translation>
    </message>
    <message>
        <source>Получено:</source>
        <translation>Received:</translation>
    </message>
    <message>
        <source>Передано:</source>
        <translation>Sent:</translation>
    </message>
    <message>
        <source>Всего:</source>
        <translation>Total:</translation>
    </message>
    <message>
        <source>Скорость:</source>
        <translation>Speed:</translation>
    </message>
    <message>
        <source>Время:</source>
        <translation>Time:</translation>
    </message>
    <message>
        <source>Не найдено!</source>
        <translation>Not found!</translation>
    </message>
    <message>
        <source>Левый край графика</source>
        <translation>Left edge of the graph</translation>
    </message>
    <message>
        <source>График приёма: доля скорости линии, секунда за секундой</source>
        <translation>Receive graph: share of the line speed, second by second</translation>
    </message>
    <message>
        <source>Правый край графика</source>
        <translation>Right edge of the graph</translation>
    </message>
</context>
<context>
    <name>IniFile</name>
    <message>
        <source> Файл не изменён.</source>
        <translation> The file is unchanged.</translation>
    </message>
</context>
<context>
    <name>LinkSourceFactory</name>
    <message>
        <source>link_source: после «scenario:» нужен путь к файлу сценария</source>
        <translation>link_source: “scenario:” must be followed by the path of a scenario file</translation>
    </message>
    <message>
        <source>link_source: NetworkManager не отвечает на системной шине D-Bus</source>
        <translation>link_source: NetworkManager does not answer on the D-Bus system bus</translation>
    </message>
    <message>
        <source>link_source: неизвестный источник «%1»; допустимы auto, networkmanager[:имя], kernel[:интерфейс], scenario:файл</source>
        <translation>link_source: unknown source “%1”; allowed are auto, networkmanager[:name], kernel[:interface], scenario:file</translation>
    </message>
</context>
<context>
    <name>LintCommands</name>
    <message>
        <source>%1: интервал вне 0–65535 мс; при выполнении — ошибка %2, интервал не меняется</source>
        <translation>%1: the interval is outside 0–65535 ms; running it gives error %2 and the interval stays as it was</translation>
    </message>
    <message>
        <source>аргумент %1 не число: читается как 0, а 0 останавливает таймер</source>
        <translation>the argument %1 is not a number: it reads as 0, and 0 stops the timer</translation>
    </message>
    <message>
        <source>«disconn()» без условия разрывает соединение при каждом выполнении сценария</source>
        <translation>“disconn()” without a condition hangs up the connection every time the script runs</translation>
    </message>
    <message>
        <source>%1 без аргумента ничего не делает</source>
        <translation>%1 without an argument does nothing</translation>
    </message>
    <message>
        <source>команда берёт только первый аргумент: всё после «~» не используется</source>
        <translation>the command takes only its first argument: everything after “~” is not used</translation>
    </message>
</context>
<context>
    <name>LintConditions</name>
    <message>
        <source>в этой локали %1 записывается с десятичной запятой, и сравнение читает только его целую часть (90,5 — как 90); точно сравнивают «&gt;=» и «&lt;» с целым числом</source>
        <translation>in this locale %1 is written with a decimal comma, and the comparison reads only its whole part (90,5 as 90); “&gt;=” and “&lt;” with a whole number compare exactly</translation>
    </message>
    <message>
        <source>между левым операндом и сравнением больше одного пробела: условие никогда не выполняется</source>
        <translation>more than one space between the left operand and the comparison: the condition is never true</translation>
    </message>
    <message>
        <source>неизвестное сравнение %1: условие никогда не выполняется; сравнения: &gt; &lt; &lt;&gt; &gt;= &lt;= =</source>
        <translation>unknown comparison %1: the condition is never true; the comparisons are: &gt; &lt; &lt;&gt; &gt;= &lt;= =</translation>
    </message>
    <message>
        <source>справа от сравнения не одно слово, а %1: условие ничего не вычисляет</source>
        <translation>the right of the comparison is not one word but %1: the condition computes nothing</translation>
    </message>
    <message>
        <source>действие %1 ничего не делает: после «then» выполняется присваивание или команда</source>
        <translation>the action %1 does nothing: after “then” comes an assignment or a command</translation>
    </message>
    <message>
        <source>условие не делится на операнд, сравнение и операнд: нужны скобки и по одному пробелу вокруг сравнения, например «if (MAL &gt; 90) then ...»; такое условие никогда не выполняется</source>
        <translation>the condition does not split into operand, comparison and operand: it needs brackets and one space on each side of the comparison, for example “if (MAL &gt; 90) then ...”; a condition like this is never true</translation>
    </message>
    <message>
        <source>сразу за условием нет «then»: действием считается весь остаток строки, %1</source>
        <translation>no “then” right after the condition: the whole rest of the line is taken as the action, %1</translation>
    </message>
</context>
<context>
    <name>LintContext</name>
    <message>
        <source>%1 — встроенная переменная программы: объявленная в сценарии, она заменяет встроенную во всём сценарии, и %1 хранит уже значение сценария</source>
        <translation>%1 is a built-in variable of the program: declared in the script, it replaces the built-in one throughout the script, and %1 then holds the script’s value</translation>
    </message>
    <message>
        <source>%1 — встроенная переменная: чтение по-прежнему видит встроенное значение, а присваивание меняет новую переменную</source>
        <translation>%1 is a built-in variable: reading it still sees the built-in value, while an assignment changes the new variable</translation>
    </message>
    <message>
        <source>%1 уже объявлена в строке %2: чтение видит первую переменную, присваивание меняет последнюю</source>
        <translation>%1 is already declared on line %2: reading sees the first variable, an assignment changes the last</translation>
    </message>
    <message>
        <source>«var» объявляет имя %1 целиком, со всеми пробелами и знаками; значение задаётся отдельной строкой: «x = #5»</source>
        <translation>“var” declares the name %1 as a whole, with all its spaces and signs; a value is given on a line of its own: “x = #5”</translation>
    </message>
    <message>
        <source>%1 с пробелами — другое имя, чем %2: имена сравниваются вместе с пробелами, и читается пустое значение</source>
        <translation>%1 with spaces is a different name from %2: names are compared with their spaces, and an empty value is read</translation>
    </message>
    <message>
        <source>%1 читается, но до этой строки не объявлена («var %2»): её значение пусто и читается как 0</source>
        <translation>%1 is read but not declared before this line (“var %2”): its value is empty and reads as 0</translation>
    </message>
    <message>
        <source>%1 не объявлена до этой строки («var %2»): присваивание ничего не сохранит</source>
        <translation>%1 is not declared before this line (“var %2”): the assignment stores nothing</translation>
    </message>
    <message>
        <source>%1 объявлена, но дальше нигде не читается</source>
        <translation>%1 is declared but never read afterwards</translation>
    </message>
    <message>
        <source>«%1»</source>
        <comment>a name quoted in a warning</comment>
        <translation>“%1”</translation>
    </message>
</context>
<context>
    <name>LintStatements</name>
    <message>
        <source> (читается как %1)</source>
        <translation> (reads as %1)</translation>
    </message>
    <message>
        <source>«#» не действует, когда в выражении есть оператор: выполняется «%1» над %2 и %3</source>
        <translation>“#” has no effect when the expression has an operator: “%1” is applied to %2 and %3</translation>
    </message>
    <message>
        <source>в выражении несколько операторов, а выполняется одна операция: «%1» (первый из + - &amp; / * ^, что есть в выражении) над %2%3 и %4%5</source>
        <translation>the expression has several operators but only one operation is done: “%1” (the first of + - &amp; / * ^ found in the expression) on %2%3 and %4%5</translation>
    </message>
    <message>
        <source>перед «%1» нет операнда: он читается как 0</source>
        <translation>there is no operand before “%1”: it reads as 0</translation>
    </message>
    <message>
        <source>после «%1» нет операнда: он читается как 0</source>
        <translation>there is no operand after “%1”: it reads as 0</translation>
    </message>
    <message>
        <source>лишняя скобка: %1 читается как имя переменной, то есть 0; у условия одна пара скобок</source>
        <translation>an extra bracket: %1 reads as a variable name, that is 0; a condition has one pair of brackets</translation>
    </message>
    <message>
        <source>вызов %1 не может быть операндом: он читается как имя переменной, то есть 0; сохраните его результат отдельной строкой</source>
        <translation>the call %1 cannot be an operand: it reads as a variable name, that is 0; store its result on a line of its own</translation>
    </message>
    <message>
        <source>%1: десятичный разделитель в сценарии — только точка; читается как %2</source>
        <translation>%1: the only decimal separator in a script is the point; reads as %2</translation>
    </message>
    <message>
        <source>в этой локали %1 записывается с десятичной запятой, и в вычислении читается только его целая часть (1,4 — как 1)</source>
        <translation>in this locale %1 is written with a decimal comma, and the calculation reads only its whole part (1,4 as 1)</translation>
    </message>
    <message>
        <source>присваивание без «#» ничего не сохраняет: число или переменная копируется так: «%1 = #%2»</source>
        <translation>an assignment without “#” stores nothing: a number or a variable is copied like this: “%1 = #%2”</translation>
    </message>
</context>
<context>
    <name>MeteredMark</name>
    <message>
        <source>Подключение «%1» теперь считается лимитным: магазины приложений, Flatpak и PackageKit отложат на нём загрузки.</source>
        <translation>The connection “%1” is now treated as metered: software centres, Flatpak and PackageKit will defer their downloads on it.</translation>
    </message>
    <message>
        <source>Система не разрешила изменить подключение «%1»: у вас нет на это прав. Отметьте его лимитным в настройках сети или попросите администратора.</source>
        <translation>The system did not allow changing the connection “%1”: you have no permission to. Mark it metered in the network settings or ask your administrator.</translation>
    </message>
    <message>
        <source>Не удалось отметить подключение «%1» лимитным: %2</source>
        <translation>Could not mark the connection “%1” as metered: %2</translation>
    </message>
</context>
<context>
    <name>ModemFeatures</name>
    <message>
        <source>Код USSD для баланса не задан (ключ balance_ussd).</source>
        <translation>No USSD code for the balance is set (key balance_ussd).</translation>
    </message>
    <message>
        <source>Баланс спрашивается у модема, когда через него есть подключение.</source>
        <translation>The balance is asked of the modem while a connection goes through it.</translation>
    </message>
    <message>
        <source>В ответе оператора нет суммы.</source>
        <translation>The operator&apos;s answer has no amount.</translation>
    </message>
    <message>
        <source>Баланс ниже %1: %2.</source>
        <translation>Balance below %1: %2.</translation>
    </message>
    <message>
        <source>Подключение в роуминге: %1</source>
        <translation>Connected while roaming: %1</translation>
    </message>
    <message>
        <source>Подключение разорвано: так велит ключ roaming_hangup=1.</source>
        <translation>Disconnected, as the key roaming_hangup=1 asks.</translation>
    </message>
    <message>
        <source>Лимитным можно отметить только подключение NetworkManager.</source>
        <translation>Only a NetworkManager connection can be marked metered.</translation>
    </message>
    <message>
        <source>Ответ оператора без суммы (%1): %2</source>
        <translation>Operator&apos;s answer without an amount (%1): %2</translation>
    </message>
    <message>
        <source>Баланс: %1 (оператор, %2)</source>
        <translation>Balance: %1 (operator, %2)</translation>
    </message>
    <message>
        <source>С %1: по оператору %2, по счётчику %3</source>
        <translation>Since %1: by the operator %2, by the meter %3</translation>
    </message>
    <message>
        <source>лимитное</source>
        <translation>metered</translation>
    </message>
    <message>
        <source>безлимитное</source>
        <translation>not metered</translation>
    </message>
    <message>
        <source>лимитное (по догадке)</source>
        <translation>metered (guessed)</translation>
    </message>
    <message>
        <source>безлимитное (по догадке)</source>
        <translation>not metered (guessed)</translation>
    </message>
    <message>
        <source>неизвестно</source>
        <translation>unknown</translation>
    </message>
</context>
<context>
    <name>ModemRows</name>
    <message>
        <source>Баланс у оператора</source>
        <translation>Balance with the operator</translation>
    </message>
    <message>
        <source>Расход по оператору и по счётчику</source>
        <translation>Spending by the operator and by the meter</translation>
    </message>
    <message>
        <source>Сообщение о балансе</source>
        <translation>Balance message</translation>
    </message>
    <message>
        <source>Спросить &amp;баланс сейчас</source>
        <translation>As&amp;k for the balance now</translation>
    </message>
    <message>
        <source>Спросить баланс у оператора запросом USSD через модем</source>
        <translation>Ask the operator for the balance with a USSD request through the modem</translation>
    </message>
    <message>
        <source>Лимитное ли подключение</source>
        <translation>Whether the connection is metered</translation>
    </message>
    <message>
        <source>Считать подключение лимитным</source>
        <translation>Treat the connection as metered</translation>
    </message>
    <message>
        <source>Отметить подключение в NetworkManager лимитным: программы обновления и магазины приложений отложат загрузки</source>
        <translation>Mark the connection metered in NetworkManager: updaters and software centres will defer their downloads</translation>
    </message>
    <message>
        <source>Сообщение о лимитном подключении</source>
        <translation>Metered connection message</translation>
    </message>
    <message>
        <source>Баланс: не известен</source>
        <translation>Balance: unknown</translation>
    </message>
    <message>
        <source>Вопрос оператору отправлен…</source>
        <translation>Asked the operator…</translation>
    </message>
    <message>
        <source>NetworkManager считает подключение: %1</source>
        <translation>NetworkManager treats the connection as: %1</translation>
    </message>
    <message>
        <source>В роуминге: %1</source>
        <translation>Roaming: %1</translation>
    </message>
    <message>
        <source>Нет подключения.</source>
        <translation>Not connected.</translation>
    </message>
    <message>
        <source>Подключение не от NetworkManager.</source>
        <translation>The connection is not NetworkManager&apos;s.</translation>
    </message>
    <message>
        <source>не спрашивать</source>
        <translation>do not ask</translation>
    </message>
    <message>
        <source>Код USSD для баланса</source>
        <translation>USSD code for the balance</translation>
    </message>
    <message>
        <source> мин</source>
        <translation> min</translation>
    </message>
    <message>
        <source>Спрашивать баланс каждые, минут</source>
        <translation>Ask for the balance every, minutes</translation>
    </message>
    <message>
        <source>не предупреждать</source>
        <translation>do not warn</translation>
    </message>
    <message>
        <source>Предупреждать, когда баланс ниже</source>
        <translation>Warn when the balance is below</translation>
    </message>
    <message>
        <source>Разрывать подключение в роуминге</source>
        <translation>Hang up when roaming</translation>
    </message>
    <message>
        <source> %</source>
        <translation> %</translation>
    </message>
    <message>
        <source>никогда</source>
        <translation>never</translation>
    </message>
    <message>
        <source>Считать лимитным с доли бюджета или лимита</source>
        <translation>Treat as metered from this share of the budget or cap</translation>
    </message>
    <message>
        <source>Сохранить настройки баланса</source>
        <translation>Save the balance settings</translation>
    </message>
    <message>
        <source>Сообщение о настройках баланса</source>
        <translation>Balance settings message</translation>
    </message>
    <message>
        <source>Код USSD баланса:</source>
        <translation>Balance USSD code:</translation>
    </message>
    <message>
        <source>Спрашивать каждые:</source>
        <translation>Ask every:</translation>
    </message>
    <message>
        <source>Предупреждать ниже:</source>
        <translation>Warn below:</translation>
    </message>
    <message>
        <source>Лимитное с:</source>
        <translation>Metered from:</translation>
    </message>
    <message>
        <source>Сохранено.</source>
        <translation>Saved.</translation>
    </message>
</context>
<context>
    <name>ModemSettings</name>
    <message>
        <source>Код USSD набирается звёздочками, решётками и цифрами и кончается решёткой, например *100#; «%1» не такой код.</source>
        <translation>A USSD code is made of stars, hashes and digits and ends with a hash, such as *100#; “%1” is not such a code.</translation>
    </message>
    <message>
        <source>Спрашивать баланс можно раз в %1–%2 минут.</source>
        <translation>The balance can be asked for once every %1–%2 minutes.</translation>
    </message>
    <message>
        <source>Порог баланса — неотрицательное число, например 50; «%1» не подходит.</source>
        <translation>The balance threshold is a number not below zero, such as 50; “%1” will not do.</translation>
    </message>
    <message>
        <source>Доля бюджета или лимита — от 0 до 100 %.</source>
        <translation>The share of the budget or cap is from 0 to 100 %.</translation>
    </message>
</context>
<context>
    <name>PriceDialog</name>
    <message>
        <source>Введите данные</source>
        <translation>Enter a value</translation>
    </message>
    <message>
        <source>Цена</source>
        <translation>Price</translation>
    </message>
    <message>
        <source>Цена одного класса тарифа</source>
        <translation>The price of one tariff class</translation>
    </message>
    <message>
        <source>Только цифры и десятичный разделитель</source>
        <translation>Digits and the decimal separator only</translation>
    </message>
    <message>
        <source>ОК</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Принять цену</source>
        <translation>Accept the price</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Оставить прежнюю цену</source>
        <translation>Keep the previous price</translation>
    </message>
    <message>
        <source>Cтоимость часа</source>
        <translation>Price per hour</translation>
    </message>
    <message>
        <source>Cтоимость МБ</source>
        <translation>Price per MB</translation>
    </message>
</context>
<context>
    <name>PriceText</name>
    <message>
        <source>красного</source>
        <translation>red</translation>
    </message>
    <message>
        <source>синего</source>
        <translation>blue</translation>
    </message>
    <message>
        <source>жёлтого</source>
        <translation>yellow</translation>
    </message>
    <message>
        <source>голубого</source>
        <translation>light blue</translation>
    </message>
    <message>
        <source>Цена «%1» меньше нуля.</source>
        <translation>The price “%1” is below zero.</translation>
    </message>
    <message>
        <source>Цена не указана.</source>
        <translation>No price given.</translation>
    </message>
    <message>
        <source>Цена «%1» слишком велика: наибольшая возможная цена %2.</source>
        <translation>The price “%1” is too large: the largest possible price is %2.</translation>
    </message>
    <message>
        <source>«%1» не является числом. Введите цену цифрами; дробную часть отделите знаком «%2», например %3.</source>
        <translation>“%1” is not a number. Enter the price in digits, with “%2” before the fraction, for example %3.</translation>
    </message>
    <message>
        <source>Цена %1 класса (%2): %3</source>
        <translation>The price of the %1 class (%2): %3</translation>
    </message>
</context>
<context>
    <name>ProgramFolder</name>
    <message>
        <source> Настройки, тарифы и статистика хранятся в папке «%1»; файлы, которых там не было, скопированы из папки программы.</source>
        <translation> Settings, tariffs and statistics are kept in the folder “%1”; the files that were not there have been copied from the program folder.</translation>
    </message>
    <message>
        <source>В папку программы «%1» нельзя записывать.</source>
        <translation>The program folder “%1” cannot be written to.</translation>
    </message>
    <message>
        <source>Папка программы «%1» принадлежит другому пользователю.</source>
        <translation>The program folder “%1” belongs to another user.</translation>
    </message>
    <message>
        <source>Не удалось создать папку «%1»: настройки, тарифы и статистика не будут сохранены.</source>
        <translation>Could not create the folder “%1”: settings, tariffs and statistics will not be saved.</translation>
    </message>
</context>
<context>
    <name>ProgramMenus</name>
    <message>
        <source>Настройки</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Индикатор</source>
        <translation>Indicator</translation>
    </message>
    <message>
        <source>Статистика</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>История и бюджет</source>
        <translation>History and budget</translation>
    </message>
    <message>
        <source>Помощь</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Поверх всех окон</source>
        <translation>Always on top</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <source>«%1» — не обычный файл, программа его не читает.</source>
        <translation>“%1” is not a regular file; the program does not read it.</translation>
    </message>
    <message>
        <source>Файл «%1» не удалось прочитать: %2.</source>
        <translation>Could not read the file “%1”: %2.</translation>
    </message>
    <message>
        <source>%1 МБ</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>%1 КБ</source>
        <translation>%1 KB</translation>
    </message>
    <message>
        <source>Файл «%1» больше %2, программа его не читает.</source>
        <translation>The file “%1” is larger than %2; the program does not read it.</translation>
    </message>
    <message>
        <source>на диске нет места</source>
        <translation>no space left on the disk</translation>
    </message>
    <message>
        <source>исчерпана дисковая квота</source>
        <translation>the disk quota is used up</translation>
    </message>
    <message>
        <source>нет прав доступа</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>диск доступен только для чтения</source>
        <translation>the disk is read-only</translation>
    </message>
    <message>
        <source>ошибка ввода-вывода</source>
        <translation>input/output error</translation>
    </message>
    <message>
        <source>на этом месте папка</source>
        <translation>a folder is in its place</translation>
    </message>
    <message>
        <source>папка не найдена</source>
        <translation>folder not found</translation>
    </message>
    <message>
        <source>слишком длинное имя</source>
        <translation>the name is too long</translation>
    </message>
</context>
<context>
    <name>ReportTable</name>
    <message>
        <source>да</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>нет</source>
        <translation>no</translation>
    </message>
</context>
<context>
    <name>ScenarioLink</name>
    <message>
        <source>файл сценария «%1» не найден</source>
        <translation>scenario file “%1” not found</translation>
    </message>
    <message>
        <source>файл сценария: %1</source>
        <translation>scenario file: %1</translation>
    </message>
    <message>
        <source>файл сценария «%1», %2</source>
        <translation>scenario file “%1”, %2</translation>
    </message>
</context>
<context>
    <name>ScenarioScript</name>
    <message>
        <source>строка %1: %2</source>
        <translation>line %1: %2</translation>
    </message>
    <message>
        <source>после строки loop ничего быть не может</source>
        <translation>nothing may follow the loop line</translation>
    </message>
    <message>
        <source>время %1 меньше времени предыдущей строки (%2)</source>
        <translation>time %1 is earlier than the time of the line before (%2)</translation>
    </message>
    <message>
        <source>loop в момент 0 повторял бы файл без конца</source>
        <translation>a loop at time 0 would repeat the file without end</translation>
    </message>
    <message>
        <source>время «%1» не целое неотрицательное число миллисекунд</source>
        <translation>time “%1” is not a whole non-negative number of milliseconds</translation>
    </message>
    <message>
        <source>нет состояния (down, dialing, connected или loop)</source>
        <translation>no state (down, dialing, connected or loop)</translation>
    </message>
    <message>
        <source>после loop лишний текст</source>
        <translation>extra text after loop</translation>
    </message>
    <message>
        <source>неизвестное состояние «%1» (ожидается down, dialing, connected или loop)</source>
        <translation>unknown state “%1” (expected down, dialing, connected or loop)</translation>
    </message>
    <message>
        <source>ожидаются поля: время, состояние, принято, передано, скорость, имя</source>
        <translation>expected fields: time, state, received, sent, speed, name</translation>
    </message>
    <message>
        <source>принято, передано и скорость должны быть целыми неотрицательными числами</source>
        <translation>received, sent and speed must be whole non-negative numbers</translation>
    </message>
</context>
<context>
    <name>ScriptEditor</name>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Проверка синтаксиса</source>
        <translation>Check syntax</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Редактор скриптов</source>
        <translation>Script editor</translation>
    </message>
    <message>
        <source>Скрипт оповещений и проверка его синтаксиса</source>
        <translation>The alert script and a check of its syntax</translation>
    </message>
    <message>
        <source>Текст скрипта</source>
        <translation>Script text</translation>
    </message>
    <message>
        <source>Скрипт, который программа выполняет каждые несколько секунд; Ctrl+Tab — к кнопкам</source>
        <translation>The script the program runs every few seconds; Ctrl+Tab moves to the buttons</translation>
    </message>
    <message>
        <source>Предупреждения</source>
        <translation>Warnings</translation>
    </message>
    <message>
        <source>Сомнительные места скрипта; Enter — к строке</source>
        <translation>Doubtful places in the script; Enter goes to the line</translation>
    </message>
    <message>
        <source>Справка</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Справка по языку сценариев (F1)</source>
        <translation>Help on the script language (F1)</translation>
    </message>
    <message>
        <source>Записать скрипт в файл; окно остаётся открытым</source>
        <translation>Write the script to its file; the window stays open</translation>
    </message>
    <message>
        <source>Проверить скрипт, не сохраняя его</source>
        <translation>Check the script without saving it</translation>
    </message>
    <message>
        <source>Закрыть окно, не сохраняя</source>
        <translation>Close the window without saving</translation>
    </message>
    <message>
        <source>Скрипт не сохранён.</source>
        <translation>The script was not saved.</translation>
    </message>
    <message>
        <source>Строка %1: %2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message>
        <source>Справка не установлена: описание языка — в файле docs/script-language.md исходных текстов программы.</source>
        <translation>The help is not installed: the language is described in docs/script-language.en.md in the program’s source code.</translation>
    </message>
</context>
<context>
    <name>ScriptFault</name>
    <message>
        <source>Недопустимый аргумент: отрицательное число в дробной степени</source>
        <translation>Invalid argument: a negative number raised to a fractional power</translation>
    </message>
    <message>
        <source>Переполнение</source>
        <translation>Overflow</translation>
    </message>
    <message>
        <source>Деление на ноль</source>
        <translation>Division by zero</translation>
    </message>
    <message>
        <source>Недопустимое значение интервала: нужно от 0 до 65535 мс</source>
        <translation>Invalid interval value: it must be from 0 to 65535 ms</translation>
    </message>
    <message>
        <source>Ошибка </source>
        <translation>Error </translation>
    </message>
    <message>
        <source> (строка </source>
        <translation> (line </translation>
    </message>
</context>
<context>
    <name>ScriptFile</name>
    <message>
        <source> Файл не изменён.</source>
        <translation> The file is unchanged.</translation>
    </message>
</context>
<context>
    <name>ScriptHelp</name>
    <message>
        <source>script-language.md</source>
        <comment>the script reference in the language of the texts</comment>
        <translation>script-language.en.md</translation>
    </message>
</context>
<context>
    <name>ScriptInterpreter</name>
    <message>
        <source>В сценарии больше %1 строк</source>
        <translation>The script has more than %1 lines</translation>
    </message>
    <message>
        <source>Строка %1 длиннее %2 символов</source>
        <translation>Line %1 is longer than %2 characters</translation>
    </message>
    <message>
        <source>; сценарий не выполнен</source>
        <translation>; the script was not run</translation>
    </message>
</context>
<context>
    <name>ScriptLint</name>
    <message>
        <source>пробелы перед «var»: строка не выполняется как объявление</source>
        <translation>spaces before “var”: the line does not run as a declaration</translation>
    </message>
    <message>
        <source>пробелы перед «if»: строка не выполняется как условие</source>
        <translation>spaces before “if”: the line does not run as a condition</translation>
    </message>
    <message>
        <source>пробелы перед «;»: при выполнении строка не комментарий, а инструкция</source>
        <translation>spaces before “;”: when run, the line is not a comment but a statement</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>В файле «%1» значение %2=%3 не понято: допустимы yes, no, true, false, 1 и 0. Принято %4.</source>
        <translation>In the file “%1” the value %2=%3 was not understood: yes, no, true, false, 1 and 0 are allowed. %4 is assumed.</translation>
    </message>
    <message>
        <source>В файле «%1» значение %2=%3 не понято: нужно неотрицательное число, например 300 или 299.90. Принято 0.</source>
        <translation>In the file “%1” the value %2=%3 was not understood: a non-negative number is needed, for example 300 or 299.90. 0 is assumed.</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Показывать автоматически</source>
        <translation>Show automatically</translation>
    </message>
    <message>
        <source>Монитор активности</source>
        <translation>Activity monitor</translation>
    </message>
    <message>
        <source>Скрывать при запуске</source>
        <translation>Hide at startup</translation>
    </message>
    <message>
        <source>Автозагрузка</source>
        <translation>Start at login</translation>
    </message>
    <message>
        <source>Траффик, оплата за 1 Мб</source>
        <translation>Traffic, price per 1 MB</translation>
    </message>
    <message>
        <source>Время, оплата за 1 час</source>
        <translation>Time, price per 1 hour</translation>
    </message>
    <message>
        <source>Редактировать скрипт</source>
        <translation>Edit script</translation>
    </message>
    <message>
        <source>Редактировать тариф</source>
        <translation>Edit tariff</translation>
    </message>
    <message>
        <source>Настройки программы</source>
        <translation>Program settings</translation>
    </message>
    <message>
        <source>Индикатор, оповещения, тариф и запуск программы</source>
        <translation>Indicator, alerts, tariff and program start</translation>
    </message>
    <message>
        <source>Настройка индикатора</source>
        <translation>Indicator</translation>
    </message>
    <message>
        <source>Прозрачность</source>
        <translation>Transparency</translation>
    </message>
    <message>
        <source>Прозрачность индикатора: 0 — совсем прозрачный, 255 — непрозрачный</source>
        <translation>Indicator transparency: 0 is fully transparent, 255 opaque</translation>
    </message>
    <message>
        <source>Прозрачность:</source>
        <translation>Transparency:</translation>
    </message>
    <message>
        <source>Показывать индикатор, пока соединение установлено</source>
        <translation>Show the indicator while the connection is up</translation>
    </message>
    <message>
        <source>Показывать в индикаторе график активности</source>
        <translation>Show an activity graph in the indicator</translation>
    </message>
    <message>
        <source>Настройка оповещений</source>
        <translation>Alerts</translation>
    </message>
    <message>
        <source>Для создания оповещений используются скрипты.</source>
        <translation>Alerts are made with scripts.</translation>
    </message>
    <message>
        <source>Открыть редактор скрипта оповещений</source>
        <translation>Open the alert script editor</translation>
    </message>
    <message>
        <source>Настройка тарифа</source>
        <translation>Tariff</translation>
    </message>
    <message>
        <source>Тип тарификации</source>
        <translation>Charging type</translation>
    </message>
    <message>
        <source>Оплата за мегабайт траффика или за час соединения</source>
        <translation>Pay per megabyte of traffic or per hour of connection</translation>
    </message>
    <message>
        <source>Тип тарификации:</source>
        <translation>Charging type:</translation>
    </message>
    <message>
        <source>Сохранить выбранный тип тарификации и открыть редактор тарифа</source>
        <translation>Save the chosen charging type and open the tariff editor</translation>
    </message>
    <message>
        <source>Разное</source>
        <translation>Miscellaneous</translation>
    </message>
    <message>
        <source>Не показывать это окно при запуске программы</source>
        <translation>Do not show this window when the program starts</translation>
    </message>
    <message>
        <source>Запускать программу при входе в систему</source>
        <translation>Start the program when you log in</translation>
    </message>
    <message>
        <source>ОК</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Сохранить настройки и закрыть окно</source>
        <translation>Save the settings and close the window</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Закрыть окно, ничего не сохраняя</source>
        <translation>Close the window without saving anything</translation>
    </message>
</context>
<context>
    <name>StatisticsFolder</name>
    <message>
        <source>Файл статистики «%1» не найден.</source>
        <translation>The statistics file “%1” was not found.</translation>
    </message>
    <message>
        <source>В файле статистики «%1» нет ни одного месяца.</source>
        <translation>The statistics file “%1” has no months in it.</translation>
    </message>
    <message>
        <source>Не удалось удалить файл «%1»: %2.</source>
        <translation>Could not delete the file “%1”: %2.</translation>
    </message>
</context>
<context>
    <name>StatisticsWindow</name>
    <message>
        <source>Выберите соединение:</source>
        <translation>Choose a connection:</translation>
    </message>
    <message>
        <source>Выберите дату:</source>
        <translation>Choose a date:</translation>
    </message>
    <message>
        <source>Очистить статистику по всем соединениям</source>
        <translation>Clear the statistics of all connections</translation>
    </message>
    <message>
        <source>Просмотр статистики</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>Сколько потрачено на соединение за выбранный месяц</source>
        <translation>How much was spent on the connection in the chosen month</translation>
    </message>
    <message>
        <source>Соединение</source>
        <translation>Connection</translation>
    </message>
    <message>
        <source>Соединение, чья статистика показана</source>
        <translation>The connection whose statistics are shown</translation>
    </message>
    <message>
        <source>Дата</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Месяц, за который показана сумма</source>
        <translation>The month whose amount is shown</translation>
    </message>
    <message>
        <source>Данные статистики</source>
        <translation>Statistics data</translation>
    </message>
    <message>
        <source>Удалить статистику всех соединений без вопроса и закрыть окно</source>
        <translation>Delete the statistics of all connections without asking and close the window</translation>
    </message>
    <message>
        <source>Потрачено за выбранную дату:</source>
        <translation>Spent in the chosen month:</translation>
    </message>
</context>
<context>
    <name>StatusLine</name>
    <message>
        <source> из </source>
        <translation> of </translation>
    </message>
    <message>
        <source>: в сети </source>
        <translation>: online </translation>
    </message>
    <message>
        <source>Нет соединения</source>
        <translation>No connection</translation>
    </message>
    <message>
        <source>Период: </source>
        <translation>Period: </translation>
    </message>
    <message>
        <source>Трафик периода: </source>
        <translation>Traffic in the period: </translation>
    </message>
    <message>
        <source>Баланс: %1 (оператор, %2)</source>
        <translation>Balance: %1 (operator, %2)</translation>
    </message>
    <message>
        <source>В роуминге</source>
        <translation>Roaming</translation>
    </message>
    <message>
        <source>баланс %1</source>
        <translation>balance %1</translation>
    </message>
</context>
<context>
    <name>SyntaxReport</name>
    <message>
        <source>: нет закрывающей скобки - )</source>
        <translation>: no closing bracket - )</translation>
    </message>
    <message>
        <source>: неизвестная функция</source>
        <translation>: unknown function</translation>
    </message>
    <message>
        <source>: нет закрывающей кавычки</source>
        <translation>: no closing quote</translation>
    </message>
    <message>
        <source>: деление на ноль</source>
        <translation>: division by zero</translation>
    </message>
    <message>
        <source>: ожидается выражение</source>
        <translation>: an expression is expected</translation>
    </message>
    <message>
        <source>: Отсутствует then</source>
        <translation>: then is missing</translation>
    </message>
    <message>
        <source>: Ожидается выражение после then</source>
        <translation>: an expression is expected after then</translation>
    </message>
    <message>
        <source>: больше %1 строк в сценарии</source>
        <translation>: more than %1 lines in the script</translation>
    </message>
    <message>
        <source>: строка длиннее %1 символов</source>
        <translation>: the line is longer than %1 characters</translation>
    </message>
    <message>
        <source>Ошибка на линии </source>
        <translation>Error on line </translation>
    </message>
    <message>
        <source>Ошибок не обнаружено</source>
        <translation>No errors found</translation>
    </message>
</context>
<context>
    <name>TariffEditor</name>
    <message>
        <source>класс 0, красный</source>
        <translation>class 0, red</translation>
    </message>
    <message>
        <source>класс 1, синий</source>
        <translation>class 1, blue</translation>
    </message>
    <message>
        <source>класс 2, жёлтый</source>
        <translation>class 2, yellow</translation>
    </message>
    <message>
        <source>класс 3, голубой</source>
        <translation>class 3, light blue</translation>
    </message>
    <message>
        <source>без класса, белый</source>
        <translation>no class, white</translation>
    </message>
    <message>
        <source>Редактирование тарифа</source>
        <translation>Tariff editor</translation>
    </message>
    <message>
        <source>Класс тарифа каждого часа суток и цена каждого класса</source>
        <translation>The tariff class of each hour of the day and the price of each class</translation>
    </message>
    <message>
        <source>Час %1</source>
        <translation>Hour %1</translation>
    </message>
    <message>
        <source>Класс %1</source>
        <translation>Class %1</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Сохранить тариф и закрыть окно</source>
        <translation>Save the tariff and close the window</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Закрыть окно, ничего не сохраняя</source>
        <translation>Close the window without saving anything</translation>
    </message>
    <message>
        <source>Цена: %1; %2. Клавиша меню или правая кнопка мыши меняет цену.</source>
        <translation>Price: %1; %2. The Menu key or the right mouse button changes the price.</translation>
    </message>
    <message>
        <source>%1. Пробел закрашивает час выбранным классом.</source>
        <translation>%1. Space paints the hour with the chosen class.</translation>
    </message>
    <message>
        <source>Тариф не сохранён.</source>
        <translation>The tariff was not saved.</translation>
    </message>
</context>
<context>
    <name>TariffFiles</name>
    <message>
        <source>В файле «%1» цена класса %2 — «%3» — не может быть ценой; в расчётах она считается нулём. Задайте цену в редакторе тарифа.</source>
        <translation>In the file “%1” the price of class %2 — “%3” — cannot be a price; it counts as zero in the calculations. Set the price in the tariff editor.</translation>
    </message>
</context>
<context>
    <name>TariffTables</name>
    <message>
        <source> Его записи показаны нулями.</source>
        <translation> Its entries are shown as zeros.</translation>
    </message>
    <message>
        <source>Цена класса %1 не может быть ценой.</source>
        <translation>The price of class %1 cannot be a price.</translation>
    </message>
    <message>
        <source> Файл не изменён.</source>
        <translation> The file is unchanged.</translation>
    </message>
</context>
<context>
    <name>UssdBalance</name>
    <message>
        <source>Модем уже ведёт сеанс USSD; баланс будет спрошен в следующий раз.</source>
        <translation>The modem is already in a USSD session; the balance will be asked for next time.</translation>
    </message>
    <message>
        <source>Оператор не ответил за %1 секунд; запрос отменён.</source>
        <translation>The operator did not answer within %1 seconds; the request was cancelled.</translation>
    </message>
    <message>
        <source>Модем не найден: ModemManager не запущен.</source>
        <translation>No modem found: ModemManager is not running.</translation>
    </message>
    <message>
        <source>Модем не найден: ModemManager его больше не знает.</source>
        <translation>No modem found: ModemManager no longer knows it.</translation>
    </message>
    <message>
        <source>Модем не поддерживает запросы USSD.</source>
        <translation>The modem does not support USSD requests.</translation>
    </message>
    <message>
        <source>Система не разрешила спросить модем (polkit).</source>
        <translation>The system did not allow asking the modem (polkit).</translation>
    </message>
    <message>
        <source>Модем не ответил.</source>
        <translation>The modem did not answer.</translation>
    </message>
    <message>
        <source>Сеть отказала в запросе USSD: %1</source>
        <translation>The network refused the USSD request: %1</translation>
    </message>
</context>
</TS>
