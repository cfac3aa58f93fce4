% planestat demo: two contours, their direction tables and their offset.
square = [1 0; 0 1; -1 0; 0 -1];
t = (0:99)' * 2 * pi / 100;
ellipse = [3 * cos(t), 2 * sin(t)];

tic; T = ringsample(ellipse, size(ellipse, 1)); elapsed = toc;
printf('ringsample: 100-point ellipse -> %dx%d direction table in %.3f ms\n', ...
       rows(T), columns(T), 1000 * elapsed);
printf('  degree   0: [%g %g]\n  degree  90: [%g %g]\n', T(1, :), T(91, :));

tic; d = driftgauge(square, 4, 2 * square, 4); elapsed = toc;
printf('driftgauge: unit square vs. square of radius 2 -> %g in %.3f ms\n', d, 1000 * elapsed);
d = driftgauge(square, 4, ellipse, size(ellipse, 1));
printf('driftgauge: unit square vs. ellipse -> %g\n', d);
