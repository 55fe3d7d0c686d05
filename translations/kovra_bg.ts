<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="bg_BG">
<context>
    <name>kovra</name>
    <message numerus="yes">
        <source>GIFT holds no units: the units of %n number question(s) left out, a number typed alone</source>
        <translation>
            <numerusform>GIFT не съдържа мерни единици: мерните единици на %n въпрос с число са пропуснати, числото се въвежда само</numerusform>
            <numerusform>GIFT не съдържа мерни единици: мерните единици на %n въпроса с число са пропуснати, числото се въвежда само</numerusform>
        </translation>
    </message>
    <message>
        <source>it is an essay question</source>
        <translation>това е въпрос с есе</translation>
    </message>
    <message>
        <source>it is a cloze question, with answers inside its text</source>
        <translation>това е въпрос с отговори вътре в текста (cloze)</translation>
    </message>
    <message>
        <source>it is a calculated question, its numbers drawn</source>
        <translation>това е въпрос с изчисление, чиито числа се избират случайно</translation>
    </message>
    <message>
        <source>it is a drag-and-drop question</source>
        <translation>това е въпрос с плъзгане и пускане</translation>
    </message>
    <message>
        <source>it is a question of drop-downs inside its text</source>
        <translation>това е въпрос с падащи списъци вътре в текста</translation>
    </message>
    <message>
        <source>it is a random matching question, drawn from others</source>
        <translation>това е въпрос със случайно съпоставяне, съставен от други въпроси</translation>
    </message>
    <message>
        <source>its choices are pictures, and a choice shows only text</source>
        <translation>изборите му са картинки, а един избор показва само текст</translation>
    </message>
    <message>
        <source>the negative weights of the question's wrong answers are left out: a wrong answer counts 0 here</source>
        <translation>отрицателните тегла на грешните отговори на въпроса са пропуснати: тук грешен отговор носи 0 точки</translation>
    </message>
    <message>
        <source>as written it cannot be used: %1</source>
        <translation>както е написан, не може да се използва: %1</translation>
    </message>
    <message>
        <source>Answers wholly right in per cent of the pupils given it</source>
        <translation>Изцяло верните отговори в проценти от учениците, получили въпроса</translation>
    </message>
    <message>
        <source>Points %</source>
        <translation>Точки %</translation>
    </message>
    <message>
        <source>The points the pupils given it earned, in per cent of the most they could, a partly right answer by its credit</source>
        <translation>Точките на учениците, получили въпроса, в проценти от най-многото възможни; частично верен отговор носи своята част</translation>
    </message>
    <message>
        <source>The answer not wholly right given most often (a choice, the choices ticked or picked, the text typed)</source>
        <translation>Най-често даваният не изцяло верен отговор (избран отговор, отбелязаните или подбраните отговори, написаният текст)</translation>
    </message>
    <message>
        <source>How many pupils gave that answer</source>
        <translation>Колко ученици са дали този отговор</translation>
    </message>
    <message>
        <source>Points by the test's key as it is now, a partly right answer by its credit</source>
        <translation>Точки по сегашния ключ на теста; частично верен отговор носи своята част</translation>
    </message>
    <message>
        <source>Points in per cent of the run's questions, rounded</source>
        <translation>Точките в проценти от въпросите на теста, закръглени</translation>
    </message>
    <message>
        <source>The mark of the points</source>
        <translation>Оценката по точките</translation>
    </message>
    <message>
        <source>its value, tolerance or unit multiplier %1 is not a number</source>
        <translation>стойността, допустимото отклонение или множителят на мерната единица %1 не е число</translation>
    </message>
    <message>
        <source>the kind of question</source>
        <translation>видът на въпроса</translation>
    </message>
    <message>
        <source>the credit of choice %1</source>
        <translation>точките на избор %1</translation>
    </message>
    <message>
        <source>the credits of the choices</source>
        <translation>точките на изборите</translation>
    </message>
    <message>
        <source>all or nothing</source>
        <translation>всичко или нищо</translation>
    </message>
    <message>
        <source>accepted answer %1</source>
        <translation>приеман отговор %1</translation>
    </message>
    <message>
        <source>the accepted answers</source>
        <translation>приеманите отговори</translation>
    </message>
    <message>
        <source>case matters</source>
        <translation>главните букви имат значение</translation>
    </message>
    <message>
        <source>unit %1</source>
        <translation>мерна единица %1</translation>
    </message>
    <message>
        <source>the units</source>
        <translation>мерните единици</translation>
    </message>
    <message>
        <source>units ignored</source>
        <translation>без мерни единици</translation>
    </message>
    <message>
        <source>item %1</source>
        <translation>елемент %1</translation>
    </message>
    <message>
        <source>the items</source>
        <translation>елементите</translation>
    </message>
    <message>
        <source>the answer of item %1</source>
        <translation>отговорът на елемент %1</translation>
    </message>
    <message>
        <source>the answers of the items</source>
        <translation>отговорите на елементите</translation>
    </message>
    <message>
        <source>is %1, which is no kind of question: &quot;single&quot; (or none), &quot;several&quot;, &quot;typed&quot;, &quot;number&quot; or &quot;matching&quot;</source>
        <translation>е %1, а това не е вид въпрос: &quot;single&quot; (или нищо), &quot;several&quot;, &quot;typed&quot;, &quot;number&quot; или &quot;matching&quot;</translation>
    </message>
    <message>
        <source>is not of single choice, and the repeat check asks a question of single choice again: turn the check off, or make the question one of single choice</source>
        <translation>не е с един верен отговор, а проверката повтаря въпрос с един верен отговор: изключете проверката или направете въпроса с един верен отговор</translation>
    </message>
    <message>
        <source>is not of single choice, and the phrase mode puts a chosen choice into the blank: turn the phrase mode off, or make the question one of single choice</source>
        <translation>не е с един верен отговор, а режимът с фраза поставя избрания отговор в празното място: изключете режима с фраза или направете въпроса с един верен отговор</translation>
    </message>
    <message>
        <source>is %1%, and a credit is from %2% to %3%</source>
        <translation>е %1%, а точките са от %2% до %3%</translation>
    </message>
    <message>
        <source>add up to %1% for the choices of credit above 0; they must add up to 100%</source>
        <translation>са общо %1% за изборите с точки над 0, а трябва да са 100%</translation>
    </message>
    <message>
        <source>give none full credit (100%); at least one must</source>
        <translation>не дават пълни точки (100%) на нито един; поне един трябва</translation>
    </message>
    <message>
        <source>is %1, which is not a number</source>
        <translation>е %1, а това не е число</translation>
    </message>
    <message>
        <source>must have %1, one for each, has %2</source>
        <translation>трябва да са %1, по един за всеки, а са %2</translation>
    </message>
    <message>
        <source>is empty; it must have text</source>
        <translation>е празно; трябва да има текст</translation>
    </message>
    <message>
        <source>its choices %1 are the same once their formatting is taken off</source>
        <translation>изборите му %1 са еднакви, щом се махне форматирането им</translation>
    </message>
    <message>
        <source>With --csv: also a review sheet for each pupil, each on pages of its own, as a PDF.</source>
        <translation>С --csv: и лист за преглед за всеки ученик, всеки на свои страници, като PDF.</translation>
    </message>
    <message>
        <source>%1: %2; for marks. The teacher's test, which holds the key, written to %3 (keep it to yourself); the pupils' copy to %4.</source>
        <translation>%1: %2; за оценка. Учителският тест, който съдържа верните отговори, е записан в %3 (пазете го само за себе си); копието за учениците — в %4.</translation>
    </message>
    <message>
        <source>With --write: a test for marks. FILE is the teacher's test, which holds the key; the pupils' copy, which holds none, is written beside it.</source>
        <translation>С --write: тест за оценка. FILE е учителският тест, който съдържа верните отговори; до него се записва копието за учениците, което не ги съдържа.</translation>
    </message>
    <message>
        <source>With --exam: the time limit in minutes.</source>
        <translation>С --exam: ограничението на времето в минути.</translation>
    </message>
    <message>
        <source>With --exam: also a pupils' copy with more time, PERCENT of it (125, 150 or 200); may be given again.</source>
        <translation>С --exam: и копие за учениците с повече време, PERCENT процента от него (125, 150 или 200); може да се даде повече от веднъж.</translation>
    </message>
    <message>
        <source>PERCENT</source>
        <translation>ПРОЦЕНТ</translation>
    </message>
    <message>
        <source>--exam goes with --write; --minutes N (0 to %1) and --more-time 125, 150 or 200 go with --exam; --sheets goes with --csv</source>
        <translation>--exam се дава с --write; --minutes N (от 0 до %1) и --more-time 125, 150 или 200 се дават с --exam; --sheets се дава с --csv</translation>
    </message>
    <message>
        <source>the time limit</source>
        <translation>ограничението на времето</translation>
    </message>
    <message>
        <source>the seal of a test for marks</source>
        <translation>печатът на теста за оценка</translation>
    </message>
    <message>
        <source>must be a whole number of minutes from 0 to %1</source>
        <translation>трябва да е цял брой минути от 0 до %1</translation>
    </message>
    <message>
        <source>is damaged: not a key of %1 bytes in Base64; save the test again from the teacher's test</source>
        <translation>е повреден: не е ключ от %1 байта в Base64; запишете теста отново от учителския тест</translation>
    </message>
    <message>
        <source>sealed for the teacher: open the results with the teacher's test</source>
        <translation>запечатан за учителя: отворете резултатите с учителския тест</translation>
    </message>
    <message>
        <source>sealed for another test, or changed since it was written</source>
        <translation>запечатан за друг тест или променян след записа</translation>
    </message>
    <message>
        <source>not sealed, as every result of a test for marks is: not written by its pupils' copy</source>
        <translation>не е запечатан, а всеки резултат от тест за оценка е: не е записан от копието за учениците</translation>
    </message>
    <message>
        <source>%1 could not be sealed: the system gives no randomness</source>
        <translation>%1 не може да бъде запечатан: системата не дава случайни числа</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>%1 не може да се запише: %2</translation>
    </message>
    <message>
        <source>%1 equals more than one choice</source>
        <translation>%1 е равен на повече от един избор</translation>
    </message>
    <message>
        <source>%1 equals no choice exactly (blanks, case and letters count)</source>
        <translation>%1 не е равен точно на нито един избор (интервалите, главните и малките букви и видът на буквите имат значение)</translation>
    </message>
    <message>
        <source>%1 equals no choice exactly, but nearly equals the choice %2: %3: %4</source>
        <translation>%1 не е равен точно на никой избор, но почти е равен на избора %2: %3: %4</translation>
    </message>
    <message>
        <source>%1 for each pupil</source>
        <translation>по %1 за всеки ученик</translation>
    </message>
    <message>
        <source>%1 instead of %2</source>
        <translation>%1 вместо %2</translation>
    </message>
    <message>
        <source>%1 is not a plain relative file name</source>
        <translation>%1 не е просто относително име на файл</translation>
    </message>
    <message>
        <source>%1 is not a question bank's extension (.gift, .txt for Aiken, .csv)</source>
        <translation>%1 не е разширение на банка с въпроси (.gift, .txt за Aiken, .csv)</translation>
    </message>
    <message>
        <source>%1 is not a question bank's extension (.gift, .txt, .xml, .csv)</source>
        <translation>%1 не е разширение на банка с въпроси (.gift, .txt, .xml, .csv)</translation>
    </message>
    <message>
        <source>%1 is not an extension written (.xml for Moodle XML, .gift, .csv)</source>
        <translation>%1 не е разширение, в което се записва (.xml за Moodle XML, .gift, .csv)</translation>
    </message>
    <message>
        <source>%1 is not closed</source>
        <translation>%1 не е затворена</translation>
    </message>
    <message>
        <source>%1 pupils, %2 files set apart</source>
        <translation>%1 ученици, %2 отделени файла</translation>
    </message>
    <message>
        <source>%1 separates folders with &quot;\&quot;; write &quot;/&quot; instead: %2</source>
        <translation>%1 разделя папките с „\“; пишете „/“: %2</translation>
    </message>
    <message>
        <source>%1 to %2 are allowed</source>
        <translation>позволени са от %1 до %2</translation>
    </message>
    <message>
        <source>%1 to %2 are allowed when question 1 is asked again</source>
        <translation>позволени са от %1 до %2, когато първият въпрос се задава повторно</translation>
    </message>
    <message>
        <source>%1 where the choice ends</source>
        <translation>%1 там, където изборът свършва</translation>
    </message>
    <message>
        <source>%1: %2; ready for pupils.</source>
        <translation>%1: %2; готов е за учениците.</translation>
    </message>
    <message>
        <source>%1: %2; written to %3, ready for pupils.</source>
        <translation>%1: %2; записан е в %3 и е готов за учениците.</translation>
    </message>
    <message>
        <source>%1: a test that draws its questions cannot be built into the program
</source>
        <translation>%1: тест, който тегли въпросите си, не може да се вгради в програмата
</translation>
    </message>
    <message numerus="yes">
        <source>%n figure(s)</source>
        <translation>
            <numerusform>%n фигура</numerusform>
            <numerusform>%n фигури</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n question(s)</source>
        <translation>
            <numerusform>%n въпрос</numerusform>
            <numerusform>%n въпроса</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Печат...</translation>
    </message>
    <message>
        <source>&amp;Read again</source>
        <translation>Прочети &amp;отново</translation>
    </message>
    <message>
        <source>&amp;Results folder...</source>
        <translation>&amp;Папка с резултати...</translation>
    </message>
    <message>
        <source>&amp;Test...</source>
        <translation>&amp;Тест...</translation>
    </message>
    <message>
        <source>, has %1</source>
        <translation>, а има %1</translation>
    </message>
    <message>
        <source>--results goes with --write, or with a folder, --test and --csv</source>
        <translation>--results върви с --write или с папка, --test и --csv</translation>
    </message>
    <message>
        <source>; a bigger bank needs the number of questions for each pupil, drawn from it at random</source>
        <translation>; за по-голяма банка задайте колко въпроса получава всеки ученик, изтеглени от нея случайно</translation>
    </message>
    <message>
        <source>; the row is left out</source>
        <translation>; редът е пропуснат</translation>
    </message>
    <message>
        <source>A bank's explanations in the review (on when it has feedback).</source>
        <translation>Обясненията на банка при прегледа (включени, когато има обратна връзка).</translation>
    </message>
    <message>
        <source>A bank's review buttons after the evaluation (on when it has feedback).</source>
        <translation>Бутоните за преглед след оценяването (включени, когато банката има обратна връзка).</translation>
    </message>
    <message>
        <source>A bank's test title (default: its file name).</source>
        <translation>Заглавието на теста от банка (по подразбиране: името на файла ѝ).</translation>
    </message>
    <message>
        <source>A content folder, a test file or a question bank (.gift, .txt for Aiken, .csv); without it, the built-in test.</source>
        <translation>Папка със съдържание, файл с тест или банка с въпроси (.gift, .txt за Aiken, .csv); без него — вграденият тест.</translation>
    </message>
    <message>
        <source>A content folder, a test file or a question bank (GIFT, Aiken, Moodle XML or CSV); without it, the built-in test.</source>
        <translation>Папка със съдържание, файл с тест или банка с въпроси (GIFT, Aiken, Moodle XML или CSV); без него – вграденият тест.</translation>
    </message>
    <message>
        <source>A test file (.kovra); without it, the built-in test.</source>
        <translation>Файл с тест (.kovra); без него — вграденият тест.</translation>
    </message>
    <message>
        <source>Class:</source>
        <translation>Клас:</translation>
    </message>
    <message>
        <source>Explanations</source>
        <translation>Обяснения</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Име:</translation>
    </message>
    <message>
        <source>Not in this pupil's run</source>
        <translation>Този ученик не е получил въпроса</translation>
    </message>
    <message>
        <source>Answered</source>
        <translation>Отговорени</translation>
    </message>
    <message>
        <source>Ask a bank's first question again.</source>
        <translation>Задава първия въпрос на банката повторно.</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Файлове CSV (*.csv)</translation>
    </message>
    <message>
        <source>Checks a test, shows what the program will hold, or writes it as one test file.</source>
        <translation>Проверява тест, показва какво ще съдържа програмата или го записва като един файл с тест.</translation>
    </message>
    <message>
        <source>Choose the folder of the result files and the test they are marked against.</source>
        <translation>Изберете папката с файловете с резултати и теста, по който да бъдат оценени.</translation>
    </message>
    <message>
        <source>Class</source>
        <translation>Клас</translation>
    </message>
    <message>
        <source>Cyrillic %1</source>
        <translation>кирилско %1</translation>
    </message>
    <message>
        <source>Discrimination</source>
        <translation>Разграничаване</translation>
    </message>
    <message>
        <source>Excellent</source>
        <translation>Отличен</translation>
    </message>
    <message>
        <source>Export &amp;CSV...</source>
        <translation>Износ в &amp;CSV...</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Износ в CSV</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>ФАЙЛ</translation>
    </message>
    <message>
        <source>FOLDER</source>
        <translation>ПАПКА</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>File set apart</source>
        <translation>Отделен файл</translation>
    </message>
    <message>
        <source>Folder: %1
Test: %2</source>
        <translation>Папка: %1
Тест: %2</translation>
    </message>
    <message numerus="yes">
        <source>GIFT holds no pictures: %n figure(s) left out</source>
        <translation>
            <numerusform>GIFT не съдържа картинки: %n фигура е пропусната</numerusform>
            <numerusform>GIFT не съдържа картинки: %n фигури са пропуснати</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>CSV holds single-choice questions only: %n question(s) of other kinds left out</source>
        <translation>
            <numerusform>CSV съдържа само въпроси с един верен отговор: %n въпрос от друг вид е пропуснат</numerusform>
            <numerusform>CSV съдържа само въпроси с един верен отговор: %n въпроса от други видове са пропуснати</numerusform>
        </translation>
    </message>
    <message>
        <source>Good</source>
        <translation>Добър</translation>
    </message>
    <message>
        <source>Greek %1</source>
        <translation>гръцко %1</translation>
    </message>
    <message>
        <source>Latin %1</source>
        <translation>латинско %1</translation>
    </message>
    <message>
        <source>Mark</source>
        <translation>Оценка</translation>
    </message>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Име</translation>
    </message>
    <message>
        <source>Own shares for the marks (% right):</source>
        <translation>Собствени граници за оценките (% верни):</translation>
    </message>
    <message>
        <source>P&amp;DF...</source>
        <translation>P&amp;DF...</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>Файлове PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Plays a multiple-choice test.</source>
        <translation>Пуска тест с избираем отговор.</translation>
    </message>
    <message>
        <source>Poor</source>
        <translation>Слаб</translation>
    </message>
    <message>
        <source>Print every list the program will hold.</source>
        <translation>Извежда всеки списък, който програмата ще съдържа.</translation>
    </message>
    <message>
        <source>Pupils</source>
        <translation>Ученици</translation>
    </message>
    <message>
        <source>Put the chosen answer into the blank.</source>
        <translation>Поставя избрания отговор на празното място.</translation>
    </message>
    <message>
        <source>Q%1</source>
        <translation>В%1</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Въпрос</translation>
    </message>
    <message>
        <source>Questions</source>
        <translation>Въпроси</translation>
    </message>
    <message>
        <source>Questions for each pupil, drawn at random from a bigger bank.</source>
        <translation>Въпроси за всеки ученик, изтеглени случайно от по-голяма банка.</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Причина</translation>
    </message>
    <message>
        <source>Reading the result files...</source>
        <translation>Четат се файловете с резултатите...</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Резултати</translation>
    </message>
    <message>
        <source>Results folder</source>
        <translation>Папка с резултати</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Верни</translation>
    </message>
    <message>
        <source>Right %</source>
        <translation>Верни %</translation>
    </message>
    <message>
        <source>SOURCE</source>
        <translation>ИЗТОЧНИК</translation>
    </message>
    <message>
        <source>Satisfactory</source>
        <translation>Среден</translation>
    </message>
    <message>
        <source>Set apart</source>
        <translation>Отделени</translation>
    </message>
    <message>
        <source>Set apart (%1)</source>
        <translation>Отделени (%1)</translation>
    </message>
    <message>
        <source>Show the version.</source>
        <translation>Показва версията.</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>Показва тази помощ.</translation>
    </message>
    <message>
        <source>TEXT</source>
        <translation>ТЕКСТ</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Тест</translation>
    </message>
    <message>
        <source>Test files (*.%1)</source>
        <translation>Тестове (*.%1)</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Текст</translation>
    </message>
    <message>
        <source>The test the results are marked against.</source>
        <translation>Тестът, по който се оценяват резултатите.</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Време</translation>
    </message>
    <message>
        <source>Times</source>
        <translation>Пъти</translation>
    </message>
    <message>
        <source>Very good</source>
        <translation>Много добър</translation>
    </message>
    <message>
        <source>With --write: the test keeps each pupil's result file in FOLDER (alone: the test file's folder). With --test and --csv: the results in FOLDER, marked against the test, as CSV.</source>
        <translation>С --write: тестът пази файла с резултата на всеки ученик в ПАПКА (само --results: в папката на теста). С --test и --csv: резултатите в ПАПКА, оценени по теста, като CSV.</translation>
    </message>
    <message>
        <source>Word</source>
        <translation>Словом</translation>
    </message>
    <message>
        <source>Write the collected results as CSV.</source>
        <translation>Записва събраните резултати като CSV.</translation>
    </message>
    <message>
        <source>Write the packed set the program embeds.</source>
        <translation>Записва пакетирания набор, който програмата вгражда.</translation>
    </message>
    <message>
        <source>Write the test as Moodle XML (.xml, figures inside), GIFT (.gift, without figures) or CSV (.csv, figures in a folder beside it).</source>
        <translation>Записва теста като Moodle XML (.xml, с фигурите), GIFT (.gift, без фигурите) или CSV (.csv, с фигурите в папка до него).</translation>
    </message>
    <message>
        <source>Write the test as one test file (.kovra), its figures fitted.</source>
        <translation>Записва теста като един файл с тест (.kovra), с фигурите в подходящ размер.</translation>
    </message>
    <message>
        <source>Wrong answer chosen most</source>
        <translation>Най-често избран грешен отговор</translation>
    </message>
    <message>
        <source>[FILE]</source>
        <translation>[ФАЙЛ]</translation>
    </message>
    <message>
        <source>[SOURCE]</source>
        <translation>[ИЗТОЧНИК]</translation>
    </message>
    <message>
        <source>a blank</source>
        <translation>интервал</translation>
    </message>
    <message>
        <source>a blank line after the line &quot;ANSWER: X&quot;</source>
        <translation>празен ред след реда „ANSWER: X“</translation>
    </message>
    <message>
        <source>a boolean</source>
        <translation>логическа стойност</translation>
    </message>
    <message>
        <source>a check sum does not match</source>
        <translation>контролна сума не съвпада</translation>
    </message>
    <message>
        <source>a colon is missing after a name</source>
        <translation>липсва двоеточие след име</translation>
    </message>
    <message>
        <source>a comma is missing between values</source>
        <translation>липсва запетая между стойности</translation>
    </message>
    <message>
        <source>a file name or null</source>
        <translation>име на файл или null</translation>
    </message>
    <message>
        <source>a list is not closed</source>
        <translation>списък не е затворен</translation>
    </message>
    <message>
        <source>a number</source>
        <translation>число</translation>
    </message>
    <message>
        <source>a number is not valid</source>
        <translation>число не е валидно</translation>
    </message>
    <message>
        <source>a string</source>
        <translation>текст</translation>
    </message>
    <message>
        <source>a string is not closed</source>
        <translation>низ не е затворен</translation>
    </message>
    <message>
        <source>a test file may hold up to %1</source>
        <translation>файлът с тест може да съдържа най-много %1</translation>
    </message>
    <message>
        <source>a test needs at least %1</source>
        <translation>тестът трябва да има поне %1</translation>
    </message>
    <message>
        <source>a value is not valid</source>
        <translation>стойност не е валидна</translation>
    </message>
    <message>
        <source>a whole number</source>
        <translation>цяло число</translation>
    </message>
    <message>
        <source>an array</source>
        <translation>масив</translation>
    </message>
    <message>
        <source>an array of questions</source>
        <translation>масив от въпроси</translation>
    </message>
    <message>
        <source>an array of strings</source>
        <translation>масив от текстове</translation>
    </message>
    <message>
        <source>an escape sequence is not valid</source>
        <translation>екранираща последователност не е валидна</translation>
    </message>
    <message>
        <source>an object</source>
        <translation>обект</translation>
    </message>
    <message>
        <source>an object is not closed</source>
        <translation>обект не е затворен</translation>
    </message>
    <message>
        <source>an object was expected</source>
        <translation>очаква се обект</translation>
    </message>
    <message numerus="yes">
        <source>and %n more problem(s), not shown</source>
        <translation>
            <numerusform>и още %n проблем, който не е показан</numerusform>
            <numerusform>и още %n проблема, които не са показани</numerusform>
        </translation>
    </message>
    <message>
        <source>begins a question beyond the %1 a bank may have</source>
        <translation>започва въпрос след %1, колкото най-много може да има банка</translation>
    </message>
    <message>
        <source>begins a question beyond the %1 a test may have</source>
        <translation>започва въпрос отвъд %1-те, които един тест може да има</translation>
    </message>
    <message>
        <source>begins a question beyond the %1 a test may have; a bigger bank needs --draw N, the questions for each pupil</source>
        <translation>започва въпрос след %1, колкото най-много може да има тест; по-голяма банка иска --draw N – въпросите за всеки ученик</translation>
    </message>
    <message>
        <source>begins a question longer than %1 characters, the most one may take</source>
        <translation>започва въпрос, по-дълъг от %1 знака, колкото най-много може да заема един въпрос</translation>
    </message>
    <message>
        <source>begins a question of more than %1 HTML tags</source>
        <translation>започва въпрос с повече от %1 HTML етикета</translation>
    </message>
    <message>
        <source>begins a question past the %1 HTML tags a bank may have</source>
        <translation>започва въпрос след %1 HTML етикета, колкото най-много може да има банка</translation>
    </message>
    <message>
        <source>built-in test</source>
        <translation>вграденият тест</translation>
    </message>
    <message>
        <source>cannot be made: the archive could not be put together</source>
        <translation>не може да се направи: архивът не можа да се сглоби</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>не може да се прочете: %1</translation>
    </message>
    <message>
        <source>cannot read %1</source>
        <translation>не може да се прочете: %1</translation>
    </message>
    <message>
        <source>cell %1%2</source>
        <translation>клетка %1%2</translation>
    </message>
    <message>
        <source>character %1</source>
        <translation>знак %1</translation>
    </message>
    <message>
        <source>choices look the same on screen: %1 and %2</source>
        <translation>изборите изглеждат еднакво на екрана: %1 и %2</translation>
    </message>
    <message>
        <source>column %1</source>
        <translation>колона %1</translation>
    </message>
    <message>
        <source>content</source>
        <translation>съдържанието</translation>
    </message>
    <message>
        <source>damaged: field &quot;%1&quot; is missing or wrong</source>
        <translation>повреден: полето „%1“ липсва или е грешно</translation>
    </message>
    <message>
        <source>damaged: not JSON text (byte %1)</source>
        <translation>повреден: не е текст JSON (байт %1)</translation>
    </message>
    <message>
        <source>does not exist</source>
        <translation>не съществува</translation>
    </message>
    <message>
        <source>edited: its checksum does not match</source>
        <translation>редактиран: контролната му сума не съвпада</translation>
    </message>
    <message>
        <source>edited: not as the program wrote it</source>
        <translation>редактиран: не е такъв, какъвто програмата го е записала</translation>
    </message>
    <message>
        <source>en</source>
        <translation>bg</translation>
    </message>
    <message>
        <source>ends in %1; a setting that is on or off ends in 0 or 1</source>
        <translation>завършва на %1; настройка, която е включена или изключена, завършва на 0 или 1</translation>
    </message>
    <message numerus="yes">
        <source>ends the file with %n question(s) read</source>
        <translation>
            <numerusform>завършва файла с %n прочетен въпрос</numerusform>
            <numerusform>завършва файла с %n прочетени въпроса</numerusform>
        </translation>
    </message>
    <message>
        <source>error</source>
        <translation>грешка</translation>
    </message>
    <message>
        <source>expected %1</source>
        <translation>очаква се %1</translation>
    </message>
    <message>
        <source>field &quot;%1&quot;</source>
        <translation>поле „%1“</translation>
    </message>
    <message>
        <source>figure %1 is larger than the %2 MiB a figure may have</source>
        <translation>фигурата %1 е по-голяма от %2 MiB, колкото най-много може да има фигура</translation>
    </message>
    <message>
        <source>figure %1 is not inside the bank's folder (no absolute path, no ..)</source>
        <translation>фигурата %1 не е в папката на банката (без абсолютен път и без ..)</translation>
    </message>
    <message>
        <source>file</source>
        <translation>файлът</translation>
    </message>
    <message>
        <source>file %1 does not exist</source>
        <translation>файлът %1 не съществува</translation>
    </message>
    <message>
        <source>file %1 has %2 pixels, more than a PNG, progressive JPEG, GIF, BMP or WebP figure may have (%3 MiB decoded)</source>
        <translation>файлът %1 има %2 пиксела, повече, отколкото може да има фигура PNG, прогресивен JPEG, GIF, BMP или WebP (%3 MiB разкодирана)</translation>
    </message>
    <message>
        <source>file %1 has %2 pixels; figures may have up to %3 million</source>
        <translation>файлът %1 има %2 пиксела; фигурите може да имат до %3 милиона</translation>
    </message>
    <message>
        <source>file %1 has more than %2 MiB; a figure may have up to %2</source>
        <translation>файлът %1 има повече от %2 MiB; фигурата може да има до %2</translation>
    </message>
    <message>
        <source>file %1 is a JPEG of more than %2 scans, which no camera or drawing program makes</source>
        <translation>файлът %1 е JPEG с повече от %2 прохода, каквито никой фотоапарат или програма за рисуване не прави</translation>
    </message>
    <message>
        <source>file %1 is a PNG of more than %2 ancillary chunks, which no camera or drawing program makes</source>
        <translation>файлът %1 е PNG с повече от %2 допълнителни части, каквито никой фотоапарат или програма за рисуване не прави</translation>
    </message>
    <message>
        <source>file %1 is not a JPEG or PNG image, the only ones a test file holds</source>
        <translation>файлът %1 не е изображение JPEG или PNG, единствените, които файлът с тест съдържа</translation>
    </message>
    <message>
        <source>file %1 is not a picture that can be read; figures may be JPEG, PNG, GIF, BMP or WebP files</source>
        <translation>файлът %1 не е картина, която може да се прочете; фигурите може да са файлове JPEG, PNG, GIF, BMP или WebP</translation>
    </message>
    <message>
        <source>file %1 takes the figures decoded whole (PNG, progressive JPEG) past %2 million pixels in all, more than a test file may have</source>
        <translation>файлът %1 прави фигурите, разкодирани цели (PNG, прогресивен JPEG), общо повече от %2 милиона пиксела, повече, отколкото файлът с тест може да има</translation>
    </message>
    <message>
        <source>gives no right answer</source>
        <translation>няма верен отговор</translation>
    </message>
    <message>
        <source>has %1 bytes; a test file may have up to %2 MiB</source>
        <translation>има %1 байта; файлът с тест може да има до %2 MiB</translation>
    </message>
    <message numerus="yes">
        <source>has %n question(s)</source>
        <translation>
            <numerusform>има %n въпрос</numerusform>
            <numerusform>има %n въпроса</numerusform>
        </translation>
    </message>
    <message>
        <source>has more than %1 cells</source>
        <translation>има повече от %1 клетки</translation>
    </message>
    <message>
        <source>has no %1</source>
        <translation>няма %1</translation>
    </message>
    <message>
        <source>has no blank &quot;_&quot;, which phrase mode needs</source>
        <translation>няма празно място „_“, което режимът с фраза изисква</translation>
    </message>
    <message>
        <source>has no question text</source>
        <translation>няма текст на въпроса</translation>
    </message>
    <message>
        <source>has text beyond the header's columns</source>
        <translation>има текст извън колоните на заглавния ред</translation>
    </message>
    <message>
        <source>has the byte 0x%1, which is not UTF-8 as the rest of the file is</source>
        <translation>съдържа байта 0x%1, който не е UTF-8 като останалата част от файла</translation>
    </message>
    <message>
        <source>holds %1 (U+%2), half of a character only</source>
        <translation>съдържа %1 (U+%2) – само половин знак</translation>
    </message>
    <message>
        <source>holds %1 (U+%2), which Windows-1251 cannot hold</source>
        <translation>съдържа %1 (U+%2), който Windows-1251 не може да запише</translation>
    </message>
    <message>
        <source>holds %1 as a link; links are not allowed</source>
        <translation>съдържа %1 като връзка; връзки не са позволени</translation>
    </message>
    <message>
        <source>holds %1 encrypted; a test file is not encrypted</source>
        <translation>съдържа %1 шифриран; файлът с тест не се шифрира</translation>
    </message>
    <message>
        <source>holds %1 twice</source>
        <translation>съдържа %1 два пъти</translation>
    </message>
    <message numerus="yes">
        <source>holds %n file(s)</source>
        <translation>
            <numerusform>съдържа %n файл</numerusform>
            <numerusform>съдържа %n файла</numerusform>
        </translation>
    </message>
    <message>
        <source>holds a file named %1: absolute paths, &quot;..&quot; and drive names are not allowed</source>
        <translation>съдържа файл с име %1: абсолютни пътища, „..“ и имена на дискове не са позволени</translation>
    </message>
    <message>
        <source>holds the control character U+%1, which no text may</source>
        <translation>съдържа управляващия знак U+%1, който не може да има в текст</translation>
    </message>
    <message>
        <source>in %1 is damaged; build the program again</source>
        <translation>в %1 е повредено; компилирайте програмата отново</translation>
    </message>
    <message>
        <source>is %1 bytes long; a question bank may have at most %2 MiB</source>
        <translation>е дълъг %1 байта; банката с въпроси може да има най-много %2 MiB</translation>
    </message>
    <message>
        <source>is %1 bytes long; a question bank of this format may have at most %2 MiB</source>
        <translation>е дълъг %1 байта; банка с въпроси в този формат може да има най-много %2 MiB</translation>
    </message>
    <message>
        <source>is a folder, not a test file</source>
        <translation>е папка, а не файл с тест</translation>
    </message>
    <message>
        <source>is empty; a choice must have text</source>
        <translation>е празен; всеки отговор трябва да има текст</translation>
    </message>
    <message>
        <source>is missing</source>
        <translation>липсва</translation>
    </message>
    <message>
        <source>is none of the bank formats read: GIFT, Aiken, Moodle XML, CSV</source>
        <translation>не е в нито един от четените формати на банки: GIFT, Aiken, Moodle XML, CSV</translation>
    </message>
    <message>
        <source>is not Moodle XML that can be read: %1</source>
        <translation>не е Moodle XML, който може да се прочете: %1</translation>
    </message>
    <message>
        <source>is not a field of the content format (misspelt?)</source>
        <translation>не е поле на формата на съдържанието (грешно изписано?)</translation>
    </message>
    <message>
        <source>is not a test file (a ZIP archive), or it is damaged or cut short: %1</source>
        <translation>не е файл с тест (архив ZIP) или е повреден или непълен: %1</translation>
    </message>
    <message>
        <source>is not valid JSON: %1</source>
        <translation>не е правилен JSON: %1</translation>
    </message>
    <message>
        <source>it allows more than one answer</source>
        <translation>допуска повече от един отговор</translation>
    </message>
    <message>
        <source>it has more than five answers</source>
        <translation>има повече от пет отговора</translation>
    </message>
    <message>
        <source>it has more than one answer block &quot;{...}&quot;</source>
        <translation>има повече от един блок с отговори „{...}“</translation>
    </message>
    <message>
        <source>it has more than one right answer</source>
        <translation>има повече от един верен отговор</translation>
    </message>
    <message>
        <source>it has no answers (a description)</source>
        <translation>няма отговори (описание)</translation>
    </message>
    <message>
        <source>it has no right answer &quot;=&quot;</source>
        <translation>няма верен отговор „=“</translation>
    </message>
    <message>
        <source>it has text before its first answer</source>
        <translation>има текст преди първия си отговор</translation>
    </message>
    <message>
        <source>it is a ZIP64 archive, which a test file never needs to be</source>
        <translation>е архив ZIP64, какъвто файлът с тест никога не трябва да бъде</translation>
    </message>
    <message>
        <source>it is a matching question</source>
        <translation>това е въпрос за съпоставяне</translation>
    </message>
    <message>
        <source>it is a numerical question</source>
        <translation>това е числов въпрос</translation>
    </message>
    <message>
        <source>it is a short-answer question (no wrong answer &quot;~&quot;)</source>
        <translation>това е въпрос с кратък отговор (няма грешен отговор „~“)</translation>
    </message>
    <message>
        <source>it is a true/false question</source>
        <translation>това е въпрос „вярно/невярно“</translation>
    </message>
    <message>
        <source>it is an essay question (empty answers)</source>
        <translation>това е въпрос за есе (празни отговори)</translation>
    </message>
    <message>
        <source>it is packed by a method other than stored or deflated (0 or 8)</source>
        <translation>е пакетиран по метод, различен от съхранен или свит (0 или 8)</translation>
    </message>
    <message>
        <source>it is too large</source>
        <translation>твърде голямо е</translation>
    </message>
    <message>
        <source>it nests too deep</source>
        <translation>влагането е твърде дълбоко</translation>
    </message>
    <message>
        <source>its answers have partial-credit weights such as %50%</source>
        <translation>отговорите му имат частична тежест като %50%</translation>
    </message>
    <message>
        <source>its archive cannot be read</source>
        <translation>архивът му не може да се прочете</translation>
    </message>
    <message>
        <source>its data ends early</source>
        <translation>данните му свършват преждевременно</translation>
    </message>
    <message>
        <source>its directory is damaged</source>
        <translation>каталогът му е повреден</translation>
    </message>
    <message>
        <source>its entries overlap or are out of order, as no ZIP writer makes them</source>
        <translation>записите му се застъпват или не са подредени, както никоя програма за ZIP не ги записва</translation>
    </message>
    <message>
        <source>its entry %1 does not name a test</source>
        <translation>записът му %1 не назовава тест</translation>
    </message>
    <message>
        <source>its packed data is damaged</source>
        <translation>компресираните му данни са повредени</translation>
    </message>
    <message>
        <source>its size differs from what its directory says</source>
        <translation>размерът му се различава от записания в каталога</translation>
    </message>
    <message>
        <source>its type %1 is none a test holds (multiple choice, true/false, short answer, numerical, matching)</source>
        <translation>типът му %1 не е от тези, които един тест съдържа (с избор, вярно/невярно, кратък отговор, число, съпоставяне)</translation>
    </message>
    <message>
        <source>larger than a result file can be (%1 bytes)</source>
        <translation>по-голям, отколкото може да бъде файл с резултат (%1 байта)</translation>
    </message>
    <message>
        <source>line %1</source>
        <translation>ред %1</translation>
    </message>
    <message>
        <source>missing</source>
        <translation>липсваща стойност</translation>
    </message>
    <message>
        <source>more text follows the end</source>
        <translation>след края има още текст</translation>
    </message>
    <message>
        <source>must be %1, not %2</source>
        <translation>трябва да е %1, а не %2</translation>
    </message>
    <message>
        <source>must be a JSON object</source>
        <translation>трябва да е JSON обект</translation>
    </message>
    <message>
        <source>must be a single line without line breaks</source>
        <translation>трябва да е един ред, без нови редове</translation>
    </message>
    <message>
        <source>must have %1 to %2 choices, has %3</source>
        <translation>трябва да има от %1 до %2 избора, а има %3</translation>
    </message>
    <message>
        <source>must have at least one line</source>
        <translation>трябва да има поне един ред</translation>
    </message>
    <message numerus="yes">
        <source>must have exactly %n rows</source>
        <translation>
            <numerusform>трябва да има точно %n ред</numerusform>
            <numerusform>трябва да има точно %n реда</numerusform>
        </translation>
    </message>
    <message>
        <source>no ZIP directory at its end</source>
        <translation>в края му няма каталог на архив ZIP</translation>
    </message>
    <message>
        <source>not a result file</source>
        <translation>не е файл с резултат</translation>
    </message>
    <message>
        <source>not read: a folder is read for %1 files at most</source>
        <translation>не е прочетен: от една папка се четат най-много %1 файла</translation>
    </message>
    <message>
        <source>null</source>
        <translation>null</translation>
    </message>
    <message>
        <source>one source at most</source>
        <translation>най-много един източник</translation>
    </message>
    <message>
        <source>one test file at most</source>
        <translation>най-много един файл с тест</translation>
    </message>
    <message>
        <source>question %1</source>
        <translation>въпрос %1</translation>
    </message>
    <message>
        <source>question %1 skipped: %2</source>
        <translation>въпросът %1 е пропуснат: %2</translation>
    </message>
    <message>
        <source>question skipped: %1</source>
        <translation>въпросът е пропуснат: %1</translation>
    </message>
    <message>
        <source>questions for each pupil</source>
        <translation>въпроси за всеки ученик</translation>
    </message>
    <message>
        <source>questions for each pupil (--draw, or &quot;draw&quot; in content.json): %1; %2 to %3 are allowed here</source>
        <translation>въпроси за всеки ученик (--draw или „draw“ в content.json): %1; тук са позволени от %2 до %3</translation>
    </message>
    <message>
        <source>questions for each pupil: %1; %2 to %3 are allowed here</source>
        <translation>въпроси за всеки ученик: %1; тук са позволени от %2 до %3</translation>
    </message>
    <message>
        <source>read as %1: %2 questions imported, %3 skipped</source>
        <translation>прочетен като %1: внесени въпроси %2, пропуснати %3</translation>
    </message>
    <message>
        <source>read as %1: %2 questions read, %3 skipped, none imported: the errors must be mended first</source>
        <translation>прочетен като %1: прочетени въпроси %2, пропуснати %3, не е внесен нито един: първо трябва да се поправят грешките</translation>
    </message>
    <message>
        <source>row %1</source>
        <translation>ред %1 на таблицата</translation>
    </message>
    <message>
        <source>the PDF file could not be written: %1</source>
        <translation>файлът PDF не можа да бъде записан: %1</translation>
    </message>
    <message>
        <source>the answer %1 names no choice (a letter A to E of a given choice, or its text)</source>
        <translation>отговорът %1 не посочва нито един избор (буква от A до E на попълнен избор или текстът му)</translation>
    </message>
    <message>
        <source>the choice &quot;%1.&quot; or the line &quot;ANSWER: X&quot;</source>
        <translation>изборът „%1.“ или редът „ANSWER: X“</translation>
    </message>
    <message>
        <source>the column %1 is not read (the columns read are question, A to E, answer, figure and explanation, or in Bulgarian Въпрос, А to Д, Верен отговор, Фигура and Обяснение)</source>
        <translation>колоната %1 не се чете (четат се колоните Въпрос, А до Д, Верен отговор, Фигура и Обяснение или на английски question, A до E, answer, figure и explanation)</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>файлът е празен</translation>
    </message>
    <message>
        <source>the header %1 names no column (question, A to E, answer, figure, explanation)</source>
        <translation>заглавието %1 не назовава колона (въпрос, А до Д, отговор, фигура, обяснение)</translation>
    </message>
    <message>
        <source>the header has no column of choice %2 (named %2 in Latin letters or %1 in Cyrillic)</source>
        <translation>заглавният ред няма колона за отговор %1 (с име „%1“ на кирилица или „%2“ на латиница)</translation>
    </message>
    <message>
        <source>the header has no column of the question (named question or Въпрос)</source>
        <translation>заглавният ред няма колона с въпроса (с име „Въпрос“ или „question“)</translation>
    </message>
    <message>
        <source>the header has no column of the right answer (named answer, Верен, Верен отговор or Отговор)</source>
        <translation>заглавният ред няма колона с верния отговор (с име „Верен отговор“, „Верен“, „Отговор“ или „answer“)</translation>
    </message>
    <message>
        <source>the key ends where the choice has %1</source>
        <translation>ключът свършва там, където изборът има %1</translation>
    </message>
    <message>
        <source>the line &quot;ANSWER: X&quot;</source>
        <translation>редът „ANSWER: X“</translation>
    </message>
    <message>
        <source>the line &quot;ANSWER: X&quot; before the end of the file</source>
        <translation>редът „ANSWER: X“ преди края на файла</translation>
    </message>
    <message>
        <source>the question's first choice &quot;A.&quot; or &quot;A)&quot;</source>
        <translation>първият избор на въпроса „A.“ или „A)“</translation>
    </message>
    <message>
        <source>the result of another test: %1</source>
        <translation>резултат от друг тест: %1</translation>
    </message>
    <message>
        <source>the right answer %1 names no given choice (a letter А to Д or A to E, a number 1 to 5, or the choice's text)</source>
        <translation>верният отговор %1 не посочва нито един попълнен избор (буква от А до Д или от A до E, номер от 1 до 5 или текстът на избора)</translation>
    </message>
    <message>
        <source>the text ends in a number</source>
        <translation>текстът свършва с число</translation>
    </message>
    <message>
        <source>the text is not UTF-8</source>
        <translation>текстът не е в UTF-8</translation>
    </message>
    <message>
        <source>there is not enough memory to unpack it</source>
        <translation>няма достатъчно памет, за да се разпакетира</translation>
    </message>
    <message>
        <source>unpacks to more than it may at %1 (%2 MiB for %3, %4 MiB for any other file, %5 MiB in all): a damaged file or a ZIP bomb</source>
        <translation>се разархивира до повече от позволеното при %1 (%2 MiB за %3, %4 MiB за всеки друг файл, %5 MiB общо): повреден файл или ZIP бомба</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>предупреждение</translation>
    </message>
    <message>
        <source>“%1”</source>
        <translation>„%1“</translation>
    </message>
    <message>
        <source>Work that was not saved was kept when the program last ended. Open it again?</source>
        <translation>При последното спиране на програмата остана незаписана работа. Да се отвори ли отново?</translation>
    </message>
    <message>
        <source>The key</source>
        <translation>Ключ с верните отговори</translation>
    </message>
    <message>
        <source>Write the test on paper as a PDF: its questions, their lettered choices and figures.</source>
        <translation>Записва теста на хартия като PDF: въпросите, отговорите им с букви и фигурите.</translation>
    </message>
    <message>
        <source>With --pdf: the teacher's key (the right choices and explanations).</source>
        <translation>С --pdf: ключът на учителя (верните отговори и обясненията).</translation>
    </message>
    <message>
        <source>the question's text</source>
        <translation>текстът на въпроса</translation>
    </message>
    <message>
        <source>choice %1</source>
        <translation>отговор %1</translation>
    </message>
    <message>
        <source>the choices</source>
        <translation>отговорите</translation>
    </message>
    <message>
        <source>the test</source>
        <translation>тестът</translation>
    </message>
    <message>
        <source>the settings</source>
        <translation>настройките</translation>
    </message>
    <message>
        <source>the right choice</source>
        <translation>верният отговор</translation>
    </message>
    <message>
        <source>the figure</source>
        <translation>фигурата</translation>
    </message>
    <message>
        <source>line %1 of the explanation</source>
        <translation>ред %1 от обяснението</translation>
    </message>
    <message>
        <source>the explanation</source>
        <translation>обяснението</translation>
    </message>
    <message>
        <source>the results folder</source>
        <translation>папката на резултатите</translation>
    </message>
    <message>
        <source>%1 could not be written whole: the disk is full</source>
        <translation>%1 не можа да се запише цял: дискът е пълен</translation>
    </message>
    <message>
        <source>%1 cannot be made in its folder: %2</source>
        <translation>%1 не може да се създаде в папката си: %2</translation>
    </message>
    <message>
        <source>%1: every name of this pupil and second is taken</source>
        <translation>%1: всички имена за този ученик и тази секунда са заети</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>%1 не можа да се запише: %2</translation>
    </message>
    <message>
        <source>handed in</source>
        <translation>предаден</translation>
    </message>
    <message>
        <source>not handed in</source>
        <translation>не е предаден</translation>
    </message>
    <message>
        <source>Handed in</source>
        <translation>Предаден</translation>
    </message>
    <message>
        <source>Pupils given it</source>
        <translation>Ученици с въпроса</translation>
    </message>
    <message>
        <source>The result file in the folder</source>
        <translation>Файлът с резултата в папката</translation>
    </message>
    <message>
        <source>Why the file is not among the results</source>
        <translation>Защо файлът не е между резултатите</translation>
    </message>
    <message>
        <source>The pupil's name as typed at the start</source>
        <translation>Името на ученика, както е въведено в началото</translation>
    </message>
    <message>
        <source>The pupil's class; &quot;7b&quot; typed in Latin letters is &quot;7б&quot;</source>
        <translation>Класът на ученика; „7b“, написан с латински букви, е „7б“</translation>
    </message>
    <message>
        <source>Questions the pupil answered</source>
        <translation>Въпроси, на които ученикът е отговорил</translation>
    </message>
    <message>
        <source>Answers right by the test's key as it is now</source>
        <translation>Верни отговори по сегашния ключ на теста</translation>
    </message>
    <message>
        <source>Right answers in per cent of the run's questions, rounded</source>
        <translation>Верните отговори в проценти от въпросите на ученика, закръглени</translation>
    </message>
    <message>
        <source>The mark of the right answers</source>
        <translation>Оценката по верните отговори</translation>
    </message>
    <message>
        <source>The mark in words</source>
        <translation>Оценката словом</translation>
    </message>
    <message>
        <source>Minutes and seconds from the start to the evaluation or the last answer</source>
        <translation>Минути и секунди от началото до оценяването или до последния отговор</translation>
    </message>
    <message>
        <source>Whether the pupil asked for the evaluation; a test not handed in ended before it (the player closed or stopped)</source>
        <translation>Дали ученикът е поискал оценяване; непредаден тест е прекъснат преди това (програмата е затворена или спряла)</translation>
    </message>
    <message>
        <source>Question %1: %2</source>
        <translation>Въпрос %1: %2</translation>
    </message>
    <message>
        <source>The question's number in the test</source>
        <translation>Номерът на въпроса в теста</translation>
    </message>
    <message>
        <source>The question's text</source>
        <translation>Текстът на въпроса</translation>
    </message>
    <message>
        <source>Pupils whose run held the question</source>
        <translation>Ученици, получили този въпрос</translation>
    </message>
    <message>
        <source>Pupils who answered it</source>
        <translation>Ученици, отговорили на въпроса</translation>
    </message>
    <message>
        <source>Right answers in per cent of the pupils given it</source>
        <translation>Верните отговори в проценти от учениците, получили въпроса</translation>
    </message>
    <message>
        <source>The wrong choice taken most often</source>
        <translation>Грешният отговор, избиран най-често</translation>
    </message>
    <message>
        <source>How many pupils took that wrong choice</source>
        <translation>Колко ученици са избрали този грешен отговор</translation>
    </message>
    <message>
        <source>How well the question tells strong pupils from weak: the share right among the best 27 % less the share right among the weakest 27 %, from -1 to 1; 0.3 and more is good, below 0 the question misleads the best</source>
        <translation>Колко добре въпросът отличава силните от слабите ученици: делът верни сред най-добрите 27 % минус делът верни сред най-слабите 27 %, от -1 до 1; от 0,3 нагоре е добре, под 0 въпросът подвежда най-добрите</translation>
    </message>
    <message numerus="yes">
        <source>%n pupil(s) took this test already; their results are in %1. The changed key (question %2) changes their marks: the results view shows them marked with the new key.</source>
        <translation>
            <numerusform>%n ученик вече е решил този тест; резултатът му е в %1. Промененият ключ (въпрос %2) променя оценката: прегледът на резултатите я показва по новия ключ.</numerusform>
            <numerusform>%n ученици вече са решили този тест; резултатите им са в %1. Промененият ключ (въпрос %2) променя оценките им: прегледът на резултатите ги показва по новия ключ.</numerusform>
        </translation>
    </message>
    <message>
        <source>is not marked: mark it with the round button beside its choice</source>
        <translation>не е отбелязан: отбележете го с кръглото бутонче до верния отговор</translation>
    </message>
    <message>
        <source>Re&amp;view sheets</source>
        <translation>&amp;Листове за преглед</translation>
    </message>
    <message>
        <source>Review sheets</source>
        <translation>Листове за преглед</translation>
    </message>
    <message>
        <source>There are no pupils' results to make review sheets of.</source>
        <translation>Няма резултати на ученици, от които да се направят листове за преглед.</translation>
    </message>
    <message>
        <source>%1: %2; %3 to %4 are allowed</source>
        <translation>%1: %2; позволени са от %3 до %4</translation>
    </message>
    <message>
        <source>unit before the number</source>
        <translation>мерната единица преди числото</translation>
    </message>
    <message>
        <source>the penalty for a missing unit</source>
        <translation>наказанието за липсваща мерна единица</translation>
    </message>
    <message>
        <source>penalty taken off the point</source>
        <translation>наказанието се изважда от точката</translation>
    </message>
    <message>
        <source>has no question text: its title %1 is taken as its text</source>
        <translation>няма текст на въпроса: за текст е взето заглавието му %1</translation>
    </message>
    <message>
        <source>it has no question text</source>
        <translation>няма текст на въпроса</translation>
    </message>
</context>
<context>
    <name>kovra::TeacherWindow</name>
    <message>
        <source>All or nothing</source>
        <translation>Всичко или нищо</translation>
    </message>
    <message>
        <source>Add an accepted answer</source>
        <translation>Добавяне на приет отговор</translation>
    </message>
    <message>
        <source>Capital letters matter</source>
        <translation>Главните букви имат значение</translation>
    </message>
    <message>
        <source>Add a unit</source>
        <translation>Добавяне на мерна единица</translation>
    </message>
    <message>
        <source>Add an item</source>
        <translation>Добавяне на елемент</translation>
    </message>
    <message>
        <source>Add an extra answer</source>
        <translation>Добавяне на допълнителен отговор</translation>
    </message>
    <message>
        <source>Change the kind of the question</source>
        <translation>Промяна на вида на въпроса</translation>
    </message>
    <message>
        <source>Tick a right choice</source>
        <translation>Отбелязване на верен отговор</translation>
    </message>
    <message>
        <source>Edit a choice's credit</source>
        <translation>Промяна на тежестта на отговор</translation>
    </message>
    <message>
        <source>Spread the credit evenly</source>
        <translation>Поравно разделяне на точките</translation>
    </message>
    <message>
        <source>Edit an accepted answer</source>
        <translation>Промяна на приет отговор</translation>
    </message>
    <message>
        <source>Remove an accepted answer</source>
        <translation>Премахване на приет отговор</translation>
    </message>
    <message>
        <source>Edit a unit</source>
        <translation>Промяна на мерна единица</translation>
    </message>
    <message>
        <source>Remove a unit</source>
        <translation>Премахване на мерна единица</translation>
    </message>
    <message>
        <source>No units</source>
        <translation>Без мерни единици</translation>
    </message>
    <message>
        <source>Edit an item</source>
        <translation>Промяна на елемент</translation>
    </message>
    <message>
        <source>Edit an item's answer</source>
        <translation>Промяна на отговора на елемент</translation>
    </message>
    <message>
        <source>Remove an item</source>
        <translation>Премахване на елемент</translation>
    </message>
    <message>
        <source>Remove an extra answer</source>
        <translation>Премахване на допълнителен отговор</translation>
    </message>
    <message>
        <source>&amp;Pupils' results...</source>
        <translation>&amp;Резултати на учениците…</translation>
    </message>
    <message>
        <source>Pupils' results</source>
        <translation>Резултати на учениците</translation>
    </message>
    <message>
        <source>KOVRA — teacher</source>
        <translation>КОВРА — учител</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Нов тест</translation>
    </message>
    <message>
        <source>&amp;Open…</source>
        <translation>&amp;Отвори…</translation>
    </message>
    <message>
        <source>Open a &amp;folder…</source>
        <translation>Отвори &amp;папка…</translation>
    </message>
    <message>
        <source>Open &amp;recent</source>
        <translation>&amp;Последни</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Запиши</translation>
    </message>
    <message>
        <source>Save &amp;as…</source>
        <translation>Запиши &amp;като…</translation>
    </message>
    <message>
        <source>&amp;Print the test…</source>
        <translation>П&amp;ечат на теста…</translation>
    </message>
    <message>
        <source>Print the &amp;key…</source>
        <translation>Печат на &amp;ключа…</translation>
    </message>
    <message>
        <source>Test as P&amp;DF…</source>
        <translation>Тестът като P&amp;DF…</translation>
    </message>
    <message>
        <source>Key as PD&amp;F…</source>
        <translation>Ключът като PD&amp;F…</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Изход</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Редактиране</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Отмени</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Повтори</translation>
    </message>
    <message>
        <source>Paste a &amp;figure</source>
        <translation>Постави &amp;фигура</translation>
    </message>
    <message>
        <source>&amp;Test</source>
        <translation>&amp;Тест</translation>
    </message>
    <message>
        <source>&amp;Try it</source>
        <translation>П&amp;робвай</translation>
    </message>
    <message>
        <source>&amp;Results</source>
        <translation>Р&amp;езултати</translation>
    </message>
    <message>
        <source>Add a question</source>
        <translation>Добави въпрос</translation>
    </message>
    <message>
        <source>Duplicate the question</source>
        <translation>Копие на въпроса</translation>
    </message>
    <message>
        <source>Delete the question</source>
        <translation>Изтрий въпроса</translation>
    </message>
    <message>
        <source>Edit the question</source>
        <translation>Промяна на въпроса</translation>
    </message>
    <message>
        <source>Pick the right choice</source>
        <translation>Избор на верния отговор</translation>
    </message>
    <message>
        <source>Edit a choice</source>
        <translation>Промяна на отговор</translation>
    </message>
    <message>
        <source>Remove a choice</source>
        <translation>Махане на отговор</translation>
    </message>
    <message>
        <source>Add a choice</source>
        <translation>Добави отговор</translation>
    </message>
    <message>
        <source>Edit the explanation</source>
        <translation>Промяна на обяснението</translation>
    </message>
    <message>
        <source>Move the question</source>
        <translation>Преместване на въпроса</translation>
    </message>
    <message>
        <source>Move a choice</source>
        <translation>Преместване на отговор</translation>
    </message>
    <message>
        <source>not saved</source>
        <translation>незаписан</translation>
    </message>
    <message>
        <source>%1 cannot be opened; the problems say why.</source>
        <translation>%1 не може да се отвори; проблемите казват защо.</translation>
    </message>
    <message>
        <source>The test has problems and is not saved; mend them first.</source>
        <translation>Тестът има проблеми и не е записан; първо ги поправете.</translation>
    </message>
    <message>
        <source>Saved %1.</source>
        <translation>Записан е %1.</translation>
    </message>
    <message>
        <source>The test has problems; mend them before printing.</source>
        <translation>Тестът има проблеми; поправете ги преди печат.</translation>
    </message>
    <message>
        <source>Wrote %1.</source>
        <translation>Записан е %1.</translation>
    </message>
    <message>
        <source>Sent to the printer.</source>
        <translation>Изпратено е към принтера.</translation>
    </message>
    <message>
        <source>Open a test</source>
        <translation>Отваряне на тест</translation>
    </message>
    <message>
        <source>Tests and question banks (*.kovra *.gift *.txt *.csv *.xml);;All files (*)</source>
        <translation>Тестове и банки с въпроси (*.kovra *.gift *.txt *.csv *.xml);;Всички файлове (*)</translation>
    </message>
    <message>
        <source>Open a test folder</source>
        <translation>Отваряне на папка с тест</translation>
    </message>
    <message>
        <source>Save the test</source>
        <translation>Записване на теста</translation>
    </message>
    <message>
        <source>Tests (*.kovra)</source>
        <translation>Тестове (*.kovra)</translation>
    </message>
    <message>
        <source>Write a PDF</source>
        <translation>Записване като PDF</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF файлове (*.pdf)</translation>
    </message>
    <message>
        <source>The test has problems; mend them before trying it.</source>
        <translation>Тестът има проблеми; поправете ги, преди да го пробвате.</translation>
    </message>
    <message>
        <source>The player %1 cannot be started.</source>
        <translation>Програмата %1 не може да се пусне.</translation>
    </message>
    <message>
        <source>The test plays in the player's window.</source>
        <translation>Тестът се играе в прозореца на ученика.</translation>
    </message>
    <message>
        <source>Restore the kept work</source>
        <translation>Възстановяване на запазената работа</translation>
    </message>
    <message>
        <source>The test has changes that are not saved. Save them?</source>
        <translation>Тестът има незаписани промени. Да се запишат ли?</translation>
    </message>
    <message>
        <source>When %1 was opened:</source>
        <translation>При отварянето на %1:</translation>
    </message>
    <message>
        <source>%1 cannot be opened:</source>
        <translation>%1 не може да се отвори:</translation>
    </message>
    <message>
        <source>test</source>
        <translation>тест</translation>
    </message>
    <message>
        <source>The work cannot be kept aside in %1.</source>
        <translation>Работата не може да се запази настрана в %1.</translation>
    </message>
    <message>
        <source>Do&amp;n&apos;t save</source>
        <translation>&amp;Не записвай</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отказ</translation>
    </message>
    <message>
        <source>Pupils' copies with more &amp;time…</source>
        <translation>Копия за учениците с повече &amp;време…</translation>
    </message>
    <message>
        <source>%1 is the pupils' copy of a test for marks: it holds no key, so it is neither tried nor saved as a test here. Open the teacher's test, which holds the key.</source>
        <translation>%1 е копието за учениците на тест за оценка: в него няма верни отговори, затова тук не се пробва и не се записва като тест. Отворете учителския тест, който съдържа верните отговори.</translation>
    </message>
    <message>
        <source>%1 is the teacher's test of this test for marks: saved for practice over it, the keys that open the pupils' answers would be lost. Save the test for practice under another name.</source>
        <translation>%1 е учителският тест на този тест за оценка: ако върху него се запише тест за упражнение, ключовете, с които се отварят отговорите на учениците, ще се загубят. Запишете теста за упражнение под друго име.</translation>
    </message>
    <message>
        <source>Saved the teacher's test %1: keep it to yourself. Hand out the pupils' copy %2 beside it.</source>
        <translation>Учителският тест %1 е записан: пазете го само за себе си. На учениците дайте копието %2 до него.</translation>
    </message>
    <message>
        <source>The test plays for practice in the player's window: with its score, without the time limit and the handing in of the pupils' copy.</source>
        <translation>Тестът се играе за упражнение в прозореца на ученика: с резултата, без ограничението на времето и без предаването, които има копието за учениците.</translation>
    </message>
    <message>
        <source>Save the test for marks first: the copies with more time are made from the teacher's test as it is saved.</source>
        <translation>Първо запишете теста за оценка: копията с повече време се правят от учителския тест такъв, какъвто е записан.</translation>
    </message>
    <message>
        <source>The test has no time limit: no copy can give more time.</source>
        <translation>Тестът няма ограничение на времето: никое копие не може да даде повече време.</translation>
    </message>
    <message>
        <source>Wrote the pupils' copies with more time beside the teacher's test, in %1: %2.</source>
        <translation>Копията за учениците с повече време са записани до учителския тест, в %1: %2.</translation>
    </message>
    <message>
        <source>Unit before the number</source>
        <translation>Мерна единица преди числото</translation>
    </message>
    <message>
        <source>Penalty for a missing unit</source>
        <translation>Наказание за липсваща мерна единица</translation>
    </message>
</context>
<context>
    <name>kovra::ProblemPanel</name>
    <message>
        <source>Problems</source>
        <translation>Проблеми</translation>
    </message>
    <message>
        <source>What went wrong</source>
        <translation>Какво се обърка</translation>
    </message>
    <message>
        <source>Close the message</source>
        <translation>Затвори съобщението</translation>
    </message>
    <message>
        <source>A new test: write each question and its choices, and mark the right choice. What is still missing is shown here as you go.</source>
        <translation>Нов тест: напишете всеки въпрос и отговорите му и отбележете верния. Каквото още липсва, ще се показва тук, докато пишете.</translation>
    </message>
    <message>
        <source>No problems: the test can be saved.</source>
        <translation>Няма проблеми: тестът може да се запише.</translation>
    </message>
</context>
<context>
    <name>kovra::FigureWidget</name>
    <message>
        <source>Choose a file…</source>
        <translation>Избери файл…</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Махни</translation>
    </message>
    <message>
        <source>Figure, as the pupil sees it</source>
        <translation>Фигура, както я вижда ученикът</translation>
    </message>
    <message>
        <source>Choose a figure file</source>
        <translation>Избери файл с фигура</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Постави</translation>
    </message>
    <message>
        <source>Paste a figure</source>
        <translation>Постави фигура</translation>
    </message>
    <message>
        <source>Remove the figure</source>
        <translation>Махни фигурата</translation>
    </message>
    <message>
        <source>No figure.
Drop or paste one here.</source>
        <translation>Няма фигура.
Пуснете или поставете тук.</translation>
    </message>
    <message>
        <source>%1 is missing</source>
        <translation>липсва %1</translation>
    </message>
    <message>
        <source>This figure cannot be shown.</source>
        <translation>Тази фигура не може да се покаже.</translation>
    </message>
    <message>
        <source>Choose a figure</source>
        <translation>Избор на фигура</translation>
    </message>
    <message>
        <source>Figures (*.jpg *.jpeg *.png *.gif *.bmp)</source>
        <translation>Фигури (*.jpg *.jpeg *.png *.gif *.bmp)</translation>
    </message>
    <message>
        <source>%1 is larger than a figure may be (%2 MiB).</source>
        <translation>%1 е по-голям, отколкото може да бъде фигура (%2 MiB).</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 не може да се прочете: %2</translation>
    </message>
    <message>
        <source>Set the figure</source>
        <translation>Задаване на фигура</translation>
    </message>
    <message>
        <source>The clipboard holds no image.</source>
        <translation>В клипборда няма изображение.</translation>
    </message>
</context>
<context>
    <name>kovra::QuestionEditor</name>
    <message>
        <source>&amp;Kind:</source>
        <translation>&amp;Вид:</translation>
    </message>
    <message>
        <source>Kind of the question</source>
        <translation>Вид на въпроса</translation>
    </message>
    <message>
        <source>single choice</source>
        <translation>един верен отговор</translation>
    </message>
    <message>
        <source>several right answers</source>
        <translation>няколко верни отговора</translation>
    </message>
    <message>
        <source>short answer</source>
        <translation>кратък отговор</translation>
    </message>
    <message>
        <source>number</source>
        <translation>число</translation>
    </message>
    <message>
        <source>matching</source>
        <translation>съпоставяне</translation>
    </message>
    <message>
        <source>Answers:</source>
        <translation>Отговори:</translation>
    </message>
    <message>
        <source>right</source>
        <translation>верен</translation>
    </message>
    <message>
        <source>Choice %1 is a right one</source>
        <translation>Отговор %1 е верен</translation>
    </message>
    <message>
        <source>Credit of choice %1</source>
        <translation>Тежест на отговор %1</translation>
    </message>
    <message>
        <source>The credit of the choice when it is ticked</source>
        <translation>Каква част от точките дава отговорът, когато е отбелязан</translation>
    </message>
    <message>
        <source>All or nothing</source>
        <translation>Всичко или нищо</translation>
    </message>
    <message>
        <source>The credit is whole when the ticks are the right choices, else none</source>
        <translation>Точките са пълни, когато са отбелязани точно верните отговори, иначе няма точки</translation>
    </message>
    <message>
        <source>Spread 100 % evenly</source>
        <translation>Раздели 100 % поравно</translation>
    </message>
    <message>
        <source>Spread the credit evenly over the right choices</source>
        <translation>Раздели точките поравно между верните отговори</translation>
    </message>
    <message>
        <source>Question text</source>
        <translation>Текст на въпроса</translation>
    </message>
    <message>
        <source>Te&amp;xt:</source>
        <translation>Те&amp;кст:</translation>
    </message>
    <message>
        <source>Choices:</source>
        <translation>Отговори:</translation>
    </message>
    <message>
        <source>Figure:</source>
        <translation>Фигура:</translation>
    </message>
    <message>
        <source>Explanation, one line a row</source>
        <translation>Обяснение, по един ред</translation>
    </message>
    <message>
        <source>&amp;Explanation:</source>
        <translation>&amp;Обяснение:</translation>
    </message>
    <message>
        <source>Choice %1 is the right one</source>
        <translation>Отговор %1 е верният</translation>
    </message>
    <message>
        <source>The right choice</source>
        <translation>Верният отговор</translation>
    </message>
    <message>
        <source>Choice %1</source>
        <translation>Отговор %1</translation>
    </message>
    <message>
        <source>Move choice %1 up</source>
        <translation>Премести отговор %1 нагоре</translation>
    </message>
    <message>
        <source>Move the choice up</source>
        <translation>Премести отговора нагоре</translation>
    </message>
    <message>
        <source>Move choice %1 down</source>
        <translation>Премести отговор %1 надолу</translation>
    </message>
    <message>
        <source>Move the choice down</source>
        <translation>Премести отговора надолу</translation>
    </message>
    <message>
        <source>Remove choice %1</source>
        <translation>Махни отговор %1</translation>
    </message>
    <message>
        <source>Remove the choice</source>
        <translation>Махни отговора</translation>
    </message>
    <message>
        <source>Add a choice</source>
        <translation>Добави отговор</translation>
    </message>
    <message>
        <source>Question %1</source>
        <translation>Въпрос %1</translation>
    </message>
</context>
<context>
    <name>kovra::TestForm</name>
    <message>
        <source>The test</source>
        <translation>Тестът</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Избери…</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Заглавие</translation>
    </message>
    <message>
        <source>&amp;Title:</source>
        <translation>&amp;Заглавие:</translation>
    </message>
    <message>
        <source>Edit the title</source>
        <translation>Промяна на заглавието</translation>
    </message>
    <message>
        <source>Phrase mode: the chosen answer is put into the blank (_) of the question</source>
        <translation>Фраза: избраният отговор се вписва в празното място (_) на въпроса</translation>
    </message>
    <message>
        <source>Check: the first question is asked again later, and both answers compared</source>
        <translation>Проверка: първият въпрос се задава още веднъж по-късно и двата отговора се сравняват</translation>
    </message>
    <message>
        <source>Show the explanations in the review</source>
        <translation>Обясненията се показват при прегледа</translation>
    </message>
    <message>
        <source>Review buttons: step through every question after the evaluation</source>
        <translation>Бутони за преглед на всеки въпрос след оценяването</translation>
    </message>
    <message>
        <source>all</source>
        <translation>всички</translation>
    </message>
    <message>
        <source>Questions for each pupil</source>
        <translation>Въпроси за всеки ученик</translation>
    </message>
    <message>
        <source>&amp;Questions for each pupil:</source>
        <translation>&amp;Въпроси за всеки ученик:</translation>
    </message>
    <message>
        <source>Collect the pupils' results</source>
        <translation>Резултатите на учениците се събират</translation>
    </message>
    <message>
        <source>Folder of the results</source>
        <translation>Папка на резултатите</translation>
    </message>
    <message>
        <source>the test file's own folder</source>
        <translation>папката на файла с теста</translation>
    </message>
    <message>
        <source>Choose the folder of the results</source>
        <translation>Избери папката на резултатите</translation>
    </message>
    <message>
        <source>Results &amp;folder:</source>
        <translation>&amp;Папка на резултатите:</translation>
    </message>
    <message>
        <source>for practice</source>
        <translation>за упражнение</translation>
    </message>
    <message>
        <source>for marks</source>
        <translation>за оценка</translation>
    </message>
    <message>
        <source>Kind of test</source>
        <translation>Вид на теста</translation>
    </message>
    <message>
        <source>For marks: the pupils get a copy without the key, see no score, and hand in their answers for you to mark.</source>
        <translation>За оценка: учениците получават копие без верните отговори, не виждат резултата си и предават отговорите си, за да ги оцените.</translation>
    </message>
    <message>
        <source>&amp;Kind:</source>
        <translation>Ви&amp;д:</translation>
    </message>
    <message>
        <source>no limit</source>
        <translation>без ограничение</translation>
    </message>
    <message>
        <source> min</source>
        <translation> мин.</translation>
    </message>
    <message>
        <source>Time limit in minutes</source>
        <translation>Ограничение на времето в минути</translation>
    </message>
    <message>
        <source>Time &amp;limit:</source>
        <translation>&amp;Ограничение на времето:</translation>
    </message>
    <message>
        <source>Time limit</source>
        <translation>Ограничение на времето</translation>
    </message>
</context>
<context>
    <name>kovra::QuestionList</name>
    <message>
        <source>Questions</source>
        <translation>Въпроси</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Добави</translation>
    </message>
    <message>
        <source>Add a question</source>
        <translation>Добави въпрос</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копие</translation>
    </message>
    <message>
        <source>Duplicate the question</source>
        <translation>Копие на въпроса</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Изтрий</translation>
    </message>
    <message>
        <source>Delete the question</source>
        <translation>Изтрий въпроса</translation>
    </message>
    <message>
        <source>Move the question up</source>
        <translation>Премести въпроса нагоре</translation>
    </message>
    <message>
        <source>Move the question down</source>
        <translation>Премести въпроса надолу</translation>
    </message>
</context>
<context>
    <name>kovra::QuestionListModel</name>
    <message>
        <source>yes</source>
        <translation>да</translation>
    </message>
    <message>
        <source>problem</source>
        <translation>проблем</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>№</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Въпрос</translation>
    </message>
    <message>
        <source>Figure</source>
        <translation>Фигура</translation>
    </message>
    <message>
        <source>Problem</source>
        <translation>Проблем</translation>
    </message>
</context>
<context>
    <name>kovra::ReviewSheets</name>
    <message>
        <source>Partly right (%1 points)</source>
        <translation>Частично (%1 т.)</translation>
    </message>
    <message>
        <source>Answered: %1 of %2; right: %3; points: %4</source>
        <translation>Отговорени: %1 от %2; верни: %3; точки: %4</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Вярно</translation>
    </message>
    <message>
        <source>Wrong</source>
        <translation>Грешно</translation>
    </message>
    <message>
        <source>Review sheet</source>
        <translation>Лист за преглед</translation>
    </message>
    <message>
        <source>Pupil:</source>
        <translation>Ученик:</translation>
    </message>
    <message>
        <source>Class:</source>
        <translation>Клас:</translation>
    </message>
    <message>
        <source>Answered: %1 of %2; right: %3</source>
        <translation>Отговорени: %1 от %2; верни: %3</translation>
    </message>
    <message>
        <source>Mark:</source>
        <translation>Оценка:</translation>
    </message>
    <message>
        <source>the figure is in the test</source>
        <translation>фигурата е в теста</translation>
    </message>
    <message>
        <source>Pupil's answer:</source>
        <translation>Отговор на ученика:</translation>
    </message>
    <message>
        <source>No answer</source>
        <translation>Няма отговор</translation>
    </message>
    <message>
        <source>Right answer:</source>
        <translation>Верен отговор:</translation>
    </message>
    <message>
        <source>Explanation:</source>
        <translation>Обяснение:</translation>
    </message>
    <message>
        <source>Review sheets: %1</source>
        <translation>Листове за преглед: %1</translation>
    </message>
    <message>
        <source>%1, %2: page %3 of %4</source>
        <translation>%1, %2: страница %3 от %4</translation>
    </message>
</context>
<context>
    <name>kovra::MoreTimeDialog</name>
    <message>
        <source>Pupils' copies with more time</source>
        <translation>Копия за учениците с повече време</translation>
    </message>
    <message>
        <source>For the pupils who need more time: copies beside the teacher's test, each with a longer time limit.</source>
        <translation>За учениците, на които е нужно повече време: копия до учителския тест, всяко с по-дълго време.</translation>
    </message>
    <message>
        <source>×%1: %2 min</source>
        <translation>×%1: %2 мин.</translation>
    </message>
    <message>
        <source>&amp;Write</source>
        <translation>&amp;Запиши</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отказ</translation>
    </message>
</context>
<context>
    <name>kovra::KindFields</name>
    <message>
        <source>A * stands for any text, \* for a star itself.</source>
        <translation>* означава произволен текст, а \* — самата звездичка.</translation>
    </message>
    <message>
        <source>Accepted answer</source>
        <translation>Приет отговор</translation>
    </message>
    <message>
        <source>Accepted answer %1</source>
        <translation>Приет отговор %1</translation>
    </message>
    <message>
        <source>Credit</source>
        <translation>Тежест</translation>
    </message>
    <message>
        <source>Credit of answer %1</source>
        <translation>Тежест на отговор %1</translation>
    </message>
    <message>
        <source>Add an accepted answer</source>
        <translation>Добави приет отговор</translation>
    </message>
    <message>
        <source>Remove accepted answer %1</source>
        <translation>Премахни приет отговор %1</translation>
    </message>
    <message>
        <source>Capital letters matter</source>
        <translation>Главните букви имат значение</translation>
    </message>
    <message>
        <source>Accepted value</source>
        <translation>Приета стойност</translation>
    </message>
    <message>
        <source>Accepted value %1</source>
        <translation>Приета стойност %1</translation>
    </message>
    <message>
        <source>Tolerance ±</source>
        <translation>Допуск ±</translation>
    </message>
    <message>
        <source>Tolerance of value %1</source>
        <translation>Допуск на стойност %1</translation>
    </message>
    <message>
        <source>Credit of value %1</source>
        <translation>Тежест на стойност %1</translation>
    </message>
    <message>
        <source>Add an accepted value</source>
        <translation>Добави приета стойност</translation>
    </message>
    <message>
        <source>Remove accepted value %1</source>
        <translation>Премахни приета стойност %1</translation>
    </message>
    <message>
        <source>A * accepts any number.</source>
        <translation>* приема всяко число.</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Мерна единица</translation>
    </message>
    <message>
        <source>Unit %1</source>
        <translation>Мерна единица %1</translation>
    </message>
    <message>
        <source>Multiplier</source>
        <translation>Множител</translation>
    </message>
    <message>
        <source>Multiplier of unit %1</source>
        <translation>Множител на мерна единица %1</translation>
    </message>
    <message>
        <source>Add a unit</source>
        <translation>Добави мерна единица</translation>
    </message>
    <message>
        <source>Remove unit %1</source>
        <translation>Премахни мерна единица %1</translation>
    </message>
    <message>
        <source>A number typed with a unit is divided by its multiplier before it is marked.</source>
        <translation>Число, въведено с мерна единица, се дели на множителя ѝ преди оценяването.</translation>
    </message>
    <message>
        <source>No units: any text after the number is let be</source>
        <translation>Без мерни единици: текстът след числото не се проверява</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Елемент</translation>
    </message>
    <message>
        <source>Item %1</source>
        <translation>Елемент %1</translation>
    </message>
    <message>
        <source>Its answer</source>
        <translation>Отговорът му</translation>
    </message>
    <message>
        <source>Answer of item %1</source>
        <translation>Отговор на елемент %1</translation>
    </message>
    <message>
        <source>Add an item</source>
        <translation>Добави елемент</translation>
    </message>
    <message>
        <source>Remove item %1</source>
        <translation>Премахни елемент %1</translation>
    </message>
    <message>
        <source>Items of the same answer share it.</source>
        <translation>Елементите с еднакъв отговор го споделят.</translation>
    </message>
    <message>
        <source>Extra answers offered, of no item</source>
        <translation>Допълнителни отговори, на нито един елемент</translation>
    </message>
    <message>
        <source>Extra answer %1</source>
        <translation>Допълнителен отговор %1</translation>
    </message>
    <message>
        <source>Add an extra answer</source>
        <translation>Добави допълнителен отговор</translation>
    </message>
    <message>
        <source>Remove extra answer %1</source>
        <translation>Премахни допълнителен отговор %1</translation>
    </message>
    <message>
        <source>The unit is written before the number (€ 5)</source>
        <translation>Мерната единица се пише преди числото (€ 5)</translation>
    </message>
    <message>
        <source>Without one of the units, or with another, the answer loses:</source>
        <translation>Без някоя от мерните единици или с друга отговорът губи:</translation>
    </message>
    <message>
        <source>nothing: a unit may be left off</source>
        <translation>нищо: мерната единица може да се пропусне</translation>
    </message>
    <message>
        <source>Penalty for a number without one of its units</source>
        <translation>Наказание за число без някоя от мерните му единици</translation>
    </message>
    <message>
        <source>Taken off the point, not a share of the answer's credit</source>
        <translation>Изважда се от точката, а не като дял от точките на отговора</translation>
    </message>
</context>
<context>
    <name>kovra::KindPaper</name>
    <message>
        <source>Write beside each the letter of its answer.</source>
        <translation>Срещу всеки запишете буквата на отговора му.</translation>
    </message>
    <message>
        <source>All or nothing: these ticked, and no other.</source>
        <translation>Всичко или нищо: отбелязани точно тези и никой друг.</translation>
    </message>
    <message>
        <source>A * stands for any text.</source>
        <translation>Знакът * замества произволен текст.</translation>
    </message>
    <message>
        <source>Capital and small letters differ.</source>
        <translation>Главните и малките букви се различават.</translation>
    </message>
    <message>
        <source>Capital and small letters are the same.</source>
        <translation>Главните и малките букви не се различават.</translation>
    </message>
    <message>
        <source>Units: %1</source>
        <translation>Мерни единици: %1</translation>
    </message>
    <message>
        <source>Any text after the number is let be.</source>
        <translation>Текстът след числото не се проверява.</translation>
    </message>
    <message>
        <source>Answer:</source>
        <translation>Отговор:</translation>
    </message>
    <message>
        <source>(there may be more than one right answer)</source>
        <translation>(може да има повече от един верен отговор)</translation>
    </message>
    <message>
        <source>Without a unit, or with another: %1 of the point taken off.</source>
        <translation>Без мерна единица или с друга: отнемат се %1 от точката.</translation>
    </message>
    <message>
        <source>Without a unit, or with another: %1 of the answer's credit taken off.</source>
        <translation>Без мерна единица или с друга: отнемат се %1 от точките на отговора.</translation>
    </message>
</context>
<context>
    <name>kovra::Problem</name>
</context>
</TS>
